// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "display/question_bank.h"

#include "display/carried_image.h"
#include "display/chart.h"
#include "display/look.h"
#include "display/plot.h"
#include "display/surface.h"
#include "display/tree.h"
#include "model/quiz.h"
#include "model/spectrum.h"
#include "words/words.h"

#include <QImage>
#include <QXmlStreamWriter>

#include <functional>
#include <string>

namespace spektrion {
namespace {

QString html(std::string_view text)
{
    return look::text(text).toHtmlEscaped();
}

// A text inside a drop-down, where Moodle's Cloze reads `~` `#` `}` as its own: `}` and
// `#` escaped with a backslash, which the import takes away again; `~` and the
// backslash itself, which it would leave standing, as character references, which it
// decodes. Both hold for a choice and for its feedback.
QString cloze(std::string_view text)
{
    QString out;
    for (const QChar c : html(text)) {
        if (c == u'}' || c == u'#')
            out += u'\\';
        if (c == u'~')
            out += QStringLiteral("&#126;");
        else if (c == u'\\')
            out += QStringLiteral("&#92;");
        else
            out += c;
    }
    return out;
}

// One choice of a drop-down: the right one at 100 %, a wrong one with why it is wrong.
struct Choice {
    std::string text;
    bool right;
    std::string feedback;
};

// A drop-down of one mark: {1:MULTICHOICE:%100%right~%0%wrong#why~…}.
QString drop_down(const std::vector<Choice>& choices)
{
    QStringList alternatives;
    for (const Choice& c : choices) {
        QString a = (c.right ? QStringLiteral("%100%") : QStringLiteral("%0%")) + cloze(c.text);
        if (!c.feedback.empty())
            a += u'#' + cloze(c.feedback);
        alternatives << a;
    }
    return QStringLiteral("{1:MULTICHOICE:") + alternatives.join(u'~') + u'}';
}

// What the quiz says of these explanations, in one text.
std::string said(const SpinState& truth, const std::vector<quiz::Explanation>& wrong)
{
    std::string text;
    for (const quiz::Explanation& e : wrong)
        text += (text.empty() ? "" : " ") + words::explanation(truth, e);
    return text;
}

QString colour_of(Group g)
{
    return QColor::fromRgb(look::group_colour(g)).name();
}

// The formula as the quiz shows it: each letter in its group's colour, its size below
// it (none for one proton); or a drop-down for the size beside each letter.
QString formula(const std::function<QString(Group)>& size, bool below)
{
    QString out;
    for (const Group g : kGroups) {
        const QString n = size(g);
        out += QStringLiteral("<span style=\"color:%1\"><b>%2</b>%3</span> ")
                   .arg(colour_of(g), QString(look::group_letter(g)),
                       below && !n.isEmpty() ? QStringLiteral("<sub>") + n + QStringLiteral("</sub>")
                                             : QStringLiteral(" ") + n);
    }
    return out;
}

// A picture carried in the file: its element, and where a text refers to it.
struct Picture {
    QString name;
    QByteArray png;
    QString alt;
    QSize size;

    QString tag() const
    {
        return QStringLiteral("<img src=\"@@PLUGINFILE@@/%1\" alt=\"%2\" width=\"%3\" height=\"%4\">")
            .arg(name, alt)
            .arg(size.width())
            .arg(size.height());
    }
};

Picture picture(const QString& name, const QImage& image, std::string_view alt)
{
    return {name, png(image), html(alt), image.size()};
}

class Bank {
public:
    explicit Bank(QByteArray& out)
        : xml_(&out)
    {
        xml_.setAutoFormatting(true);
        xml_.writeStartDocument();
        xml_.writeStartElement(QStringLiteral("quiz"));
    }

    ~Bank()
    {
        xml_.writeEndElement();
        xml_.writeEndDocument();
    }

    void category(std::string_view kind)
    {
        xml_.writeStartElement(QStringLiteral("question"));
        xml_.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
        xml_.writeStartElement(QStringLiteral("category"));
        xml_.writeTextElement(QStringLiteral("text"),
            QStringLiteral("$course$/") + look::text(words::kBankFolder) + u'/' + look::text(kind));
        xml_.writeEndElement();
        xml_.writeEndElement();
    }

    // A Cloze question: its text and general feedback as HTML, each with its pictures.
    void question(const QString& name, const QString& text, const std::vector<Picture>& text_pictures,
        const QString& feedback, const std::vector<Picture>& feedback_pictures)
    {
        xml_.writeStartElement(QStringLiteral("question"));
        xml_.writeAttribute(QStringLiteral("type"), QStringLiteral("multianswer"));
        xml_.writeStartElement(QStringLiteral("name"));
        xml_.writeTextElement(QStringLiteral("text"), name);
        xml_.writeEndElement();
        html_part(QStringLiteral("questiontext"), text, text_pictures);
        html_part(QStringLiteral("generalfeedback"), feedback, feedback_pictures);
        xml_.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0.3333333"));
        xml_.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
        xml_.writeEndElement();
    }

private:
    void html_part(const QString& element, const QString& text, const std::vector<Picture>& pictures)
    {
        xml_.writeStartElement(element);
        xml_.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        xml_.writeStartElement(QStringLiteral("text"));
        xml_.writeCDATA(text);
        xml_.writeEndElement();
        for (const Picture& p : pictures) {
            xml_.writeStartElement(QStringLiteral("file"));
            xml_.writeAttribute(QStringLiteral("name"), p.name);
            xml_.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
            xml_.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
            xml_.writeCharacters(QString::fromLatin1(p.png.toBase64()));
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    QXmlStreamWriter xml_;
};

QString paragraph(const QString& inside)
{
    return QStringLiteral("<p>") + inside + QStringLiteral("</p>");
}

// The answer as the quiz reveals it: the spectrum under its trees, and in words.
QString answer(const Spectrum& spectrum, const Picture& trees)
{
    QStringList lines;
    for (const QString& line :
        look::text(words::describe_spectrum(spectrum)).split(u'\n', Qt::SkipEmptyParts))
        lines << line.toHtmlEscaped();
    return paragraph(html(words::kBankAnswer)) + paragraph(trees.tag())
        + paragraph(lines.join(QStringLiteral("<br>")));
}

QString file_stem(const SpinState& s)
{
    return QStringLiteral("%1-%2-%3-%4")
        .arg(s.nA)
        .arg(s.nM)
        .arg(s.nX)
        .arg(s.order == Order::AMLarger ? QStringLiteral("am") : QStringLiteral("mx"));
}

// What both questions of a state show: the chart of its spectrum with the ratios, and
// the answer's trees above it.
struct Shown {
    Spectrum spectrum;
    Picture chart;
    Picture trees;
};

Shown shown_of(const SpinState& s)
{
    const Spectrum spectrum = spectrum_of(s);
    Surface chart(chart::image());
    plot::plot_spectrum(chart, spectrum);
    const QString stem = file_stem(s);
    return {spectrum,
        picture(QStringLiteral("spectrum-") + stem + QStringLiteral(".png"), chart.image(),
            words::spoken_ratios(spectrum)),
        picture(QStringLiteral("answer-") + stem + QStringLiteral(".png"), tree::picture(chart.image(), s),
            words::spoken_spectrum(spectrum))};
}

// "Назвіть мультиплети": the formula and the order, then a drop-down of the twelve
// names for each signal, in the chart's order as the quiz has its lists.
QString naming_question(const SpinState& s)
{
    QString text = paragraph(
        formula([&s](Group g) { return s.size(g) > 1 ? QString::number(s.size(g)) : QString(); }, true)
        + QStringLiteral("&nbsp; ") + html(words::order_text(s.order)));
    for (int p = 0; p < 3; ++p) {
        const Group g = group_at(p);
        const MultipletName right = quiz::right_name(s, g);
        std::vector<Choice> choices;
        for (const MultipletName& n : quiz::multiplet_names()) {
            quiz::ChosenNames chosen;
            for (const Group h : kGroups)
                chosen[std::size_t(index_of(h))] = h == g ? n : quiz::right_name(s, h);
            choices.push_back({words::multiplet_name(n), n == right,
                n == right ? std::string() : said(s, quiz::mark_names(s, chosen))});
        }
        text += paragraph(html(words::signal_label(g)) + u' ' + drop_down(choices));
    }
    return text;
}

// "Яка це система?": the spectrum, then a drop-down of the sizes beside each letter and
// one of the order.
QString system_question(const SpinState& s, const Picture& chart)
{
    const auto one_wrong = [&s](Group g, int size) {
        PartialState answer = PartialState::whole(s);
        answer.sizes[std::size_t(index_of(g))] = size;
        return answer;
    };
    const QString sizes = formula(
        [&](Group g) {
            std::vector<Choice> choices;
            for (int n = kSmallestGroup; n <= kLargestGroup; ++n)
                choices.push_back({std::to_string(n), n == s.size(g),
                    n == s.size(g) ? std::string() : said(s, quiz::mark_system(s, one_wrong(g, n)))});
            return drop_down(choices);
        },
        false);
    std::vector<Choice> orders;
    for (const Order o : {Order::AMLarger, Order::MXLarger}) {
        PartialState answer = PartialState::whole(s);
        answer.order = o;
        orders.push_back({words::order_text(o), o == s.order,
            o == s.order ? std::string() : said(s, quiz::mark_system(s, answer))});
    }
    return paragraph(chart.tag()) + paragraph(sizes + QStringLiteral("&nbsp; ") + drop_down(orders));
}

}  // namespace

QByteArray question_bank(const std::vector<SpinState>& states)
{
    // Each state's pictures, drawn once for both of its questions.
    std::vector<Shown> shown;
    for (const SpinState& s : states)
        shown.push_back(shown_of(s));
    QByteArray out;
    {
        Bank bank(out);
        for (const bool naming : {true, false}) {
            const std::string_view kind = naming ? words::kNameKind : words::kSystemKind;
            bank.category(kind);
            for (std::size_t i = 0; i < states.size(); ++i) {
                const QString text = paragraph(QStringLiteral("<b>") + html(kind) + QStringLiteral("</b>"))
                    + paragraph(html(naming ? words::kBankNameTask : words::kBankSystemTask))
                    + (naming ? naming_question(states[i]) : system_question(states[i], shown[i].chart));
                bank.question(look::text(words::bank_question(kind, int(i) + 1)), text,
                    naming ? std::vector<Picture>{} : std::vector{shown[i].chart},
                    answer(shown[i].spectrum, shown[i].trees), {shown[i].trees});
            }
        }
    }
    return out;
}

}  // namespace spektrion
