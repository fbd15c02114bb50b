// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// The question bank as a course imports it: the XML read back by an XML parser, each
// question's embedded answers read by a parser of Moodle's Cloze syntax, and held
// against the quiz's own marking and against spektrion-snapshot's pictures.
#include "model/quiz.h"
#include "model/spectrum.h"
#include "tests/support/tool.h"
#include "words/words.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace spektrion {
namespace {

using testing_tool::run;

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// One of a question's texts: its HTML and the pictures it carries, by name.
struct Part {
    QString html;
    std::map<QString, QImage> files;
};
struct Question {
    QString category, name;
    Part text, feedback;
};

std::vector<Question> read_bank(const QByteArray& xml)
{
    std::vector<Question> bank;
    QString category;
    QXmlStreamReader r(xml);
    Part* part = nullptr;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView element = r.name();
        if (element == u"question") {
            part = nullptr;
            if (r.attributes().value(QLatin1String("type")) == u"multianswer")
                bank.push_back({category, {}, {}, {}});
        }
        if (element == u"category")
            category = (r.readNextStartElement(), r.readElementText());
        else if (element == u"name")
            bank.back().name = (r.readNextStartElement(), r.readElementText());
        else if (element == u"questiontext" || element == u"generalfeedback")
            part = element == u"questiontext" ? &bank.back().text : &bank.back().feedback;
        else if (element == u"text" && part)
            part->html = r.readElementText();
        else if (element == u"file") {
            const QString name = r.attributes().value(QLatin1String("name")).toString();
            part->files[name]
                = QImage::fromData(QByteArray::fromBase64(r.readElementText().toLatin1()), "PNG");
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return bank;
}

// Cloze, as Moodle's documentation gives it: {weight:MULTICHOICE:alternative~…}, an
// alternative "%percent%answer#feedback" or "=answer#feedback"; } # ~ escaped by a
// backslash, and HTML's character references decoded.
struct Alternative {
    int percent;
    QString answer, feedback;
};
struct SubQuestion {
    int weight;
    std::vector<Alternative> alternatives;
};

// As the import takes a choice: its character references decoded, then \} and \#.
QString plain(const QString& text)
{
    return QTextDocumentFragment::fromHtml(text)
        .toPlainText()
        .replace(QLatin1String("\\}"), QLatin1String("}"))
        .replace(QLatin1String("\\#"), QLatin1String("#"));
}

std::vector<SubQuestion> cloze(const QString& html)
{
    static const QRegularExpression sub(QStringLiteral(R"(\{(\d*):MULTICHOICE:((?:[^}\\]|\\.)*)\})"));
    static const QRegularExpression alternative(
        QStringLiteral(R"(^(?:%(\d+)%|(=))?((?:[^#\\]|\\.)*)(?:#(.*))?$)"));
    std::vector<SubQuestion> found;
    for (const QRegularExpressionMatch& m : sub.globalMatch(html)) {
        SubQuestion s{m.captured(1).isEmpty() ? 1 : m.captured(1).toInt(), {}};
        for (const QString& a : m.captured(2).split(QRegularExpression(QStringLiteral(R"((?<!\\)~)")))) {
            const QRegularExpressionMatch parts = alternative.match(a);
            EXPECT_TRUE(parts.hasMatch()) << a.toStdString();
            s.alternatives.push_back({parts.captured(2) == u"=" ? 100 : parts.captured(1).toInt(),
                plain(parts.captured(3)), plain(parts.captured(4))});
        }
        found.push_back(s);
    }
    return found;
}

std::string said(const SpinState& s, const std::vector<quiz::Explanation>& wrong)
{
    std::string text;
    for (const quiz::Explanation& e : wrong)
        text += (text.empty() ? "" : " ") + words::explanation(s, e);
    return text;
}

TEST(QuestionBankTest, EveryStateOfBothKindsImportsWithTheQuizsAnswersAndExplanations)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bank.xml"));
    ASSERT_EQ(run(QStringLiteral(WORKSHEET_BINARY), {"--all", "-o", file}).exit_code, 0);
    QFile xml(file);
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    const std::vector<Question> bank = read_bank(xml.readAll());
    ASSERT_EQ(bank.size(), 2u * kStates);
    const std::array<MultipletName, quiz::kNameCount> names = quiz::multiplet_names();
    for (std::size_t i = 0; i < bank.size(); ++i) {
        const Question& b = bank[i];
        const bool naming = i < std::size_t(kStates);
        const SpinState s = all_states()[i % kStates];
        const std::string where = b.name.toStdString();
        const std::string_view kind = naming ? words::kNameKind : words::kSystemKind;
        EXPECT_EQ(b.category, "$course$/Spektrion/" + q(kind)) << where;
        EXPECT_EQ(b.name, q(words::bank_question(kind, int(i % kStates) + 1)));
        // Every choice of every drop-down (names under X, M, A; or the sizes of A, M, X
        // and the order), each drop-down one mark: the quiz's mark of the answer that
        // differs from the truth in that choice alone, and what it explains.
        const std::vector<SubQuestion> subs = cloze(b.text.html);
        ASSERT_EQ(subs.size(), naming ? 3u : 4u) << where;
        for (std::size_t k = 0; k < subs.size(); ++k) {
            EXPECT_EQ(subs[k].weight, 1) << where;
            ASSERT_EQ(subs[k].alternatives.size(), naming ? names.size() : k < 3 ? 3u : 2u) << where;
            for (std::size_t j = 0; j < subs[k].alternatives.size(); ++j) {
                std::string choice;
                std::vector<quiz::Explanation> wrong;
                PartialState answer = PartialState::whole(s);
                if (naming) {
                    quiz::ChosenNames chosen;
                    for (const Group h : kGroups)
                        chosen[std::size_t(index_of(h))]
                            = h == group_at(int(k)) ? names[j] : quiz::right_name(s, h);
                    choice = words::multiplet_name(names[j]);
                    wrong = quiz::mark_names(s, chosen);
                } else if (k < 3) {
                    answer.sizes[k] = int(j) + 1;
                    choice = std::to_string(j + 1);
                    wrong = quiz::mark_system(s, answer);
                } else {
                    answer.order = j == 0 ? Order::AMLarger : Order::MXLarger;
                    choice = words::order_text(*answer.order);
                    wrong = quiz::mark_system(s, answer);
                }
                const Alternative& a = subs[k].alternatives[j];
                EXPECT_EQ(a.answer, q(choice)) << where;
                EXPECT_EQ(a.percent, wrong.empty() ? 100 : 0) << where << " " << choice;
                EXPECT_EQ(a.feedback, q(said(s, wrong))) << where << " " << choice;
            }
        }
        // Every picture is carried, and says what it shows.
        for (const Part* part : {&b.text, &b.feedback}) {
            static const QRegularExpression img(
                QStringLiteral(R"re(<img src="@@PLUGINFILE@@/([^"]+)" alt="[^"]+")re"));
            qsizetype shown = 0;
            for (const QRegularExpressionMatch& m : img.globalMatch(part->html)) {
                ++shown;
                const QString name = m.captured(1);
                EXPECT_TRUE(part->files.contains(name) && !part->files.at(name).isNull())
                    << where << " " << name.toStdString();
            }
            EXPECT_EQ(shown, qsizetype(part->files.size())) << where;
        }
        // One state's questions written out: the formula's letters in their groups'
        // colours (A red, M green, X blue), the order as it is, and a picture of the
        // system question whose words give its ratios, not the answer's names.
        if (s == SpinState{3, 1, 2, Order::MXLarger}) {
            static const QRegularExpression drop_down(QStringLiteral(R"(\{1:MULTICHOICE:(?:[^}\\]|\\.)*\})"));
            const QString formula = naming
                ? QStringLiteral(
                    "<span style=\"color:#ff0000\"><b>A</b><sub>3</sub></span> <span "
                    "style=\"color:#008000\"><b>M</b> </span> <span style=\"color:#0000ff\"><b>X</b>"
                    "<sub>2</sub></span> &nbsp; J(AM) &lt; J(MX)</p><p>Сигнал X: {}</p><p>Сигнал M: "
                    "{}</p><p>Сигнал A: {}</p>")
                : QStringLiteral(
                    "<img src=\"@@PLUGINFILE@@/spectrum-3-1-2-mx.png\" alt=\"Сигнал X, 1, 1. "
                    "Сигнал M, 1, 3, 3, 1, 2, 6, 6, 2, 1, 3, 3, 1. Сигнал A, 1, 1. Лінії сигналу X "
                    "стоять ширше, ніж лінії сигналу A.\" width=\"777\" height=\"408\"></p><p><span "
                    "style=\"color:#ff0000\"><b>A</b> {}</span> <span style=\"color:#008000\"><b>M</b> "
                    "{}</span> <span style=\"color:#0000ff\"><b>X</b> {}</span> &nbsp; {}</p>");
            EXPECT_TRUE(QString(b.text.html).replace(drop_down, QStringLiteral("{}")).endsWith(formula))
                << b.text.html.toStdString();
        }
        EXPECT_TRUE(b.feedback.html.contains(
            q(words::describe_spectrum(spectrum_of(s))).trimmed().replace(u'\n', QLatin1String("<br>"))))
            << where;
    }
    // The pictures are spektrion-snapshot's: the chart of a system question, the trees of the answer.
    const auto snapshot = [&](const char* picture) {
        const QString png = dir.filePath(QString::fromLatin1(picture) + QStringLiteral(".png"));
        run(QStringLiteral(SNAPSHOT_BINARY),
            {"--sizes", "3,3,3", "--order", "<", QLatin1String("--") + picture, "-o", png});
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    };
    const Question& richest = bank.back();
    EXPECT_EQ(richest.text.files.at("spectrum-3-3-3-mx.png").convertToFormat(QImage::Format_RGB32),
        snapshot("chart"));
    EXPECT_EQ(richest.feedback.files.at("answer-3-3-3-mx.png").convertToFormat(QImage::Format_RGB32),
        snapshot("tree"));
}

}  // namespace
}  // namespace spektrion
