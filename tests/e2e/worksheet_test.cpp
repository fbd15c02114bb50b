// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// spektrion-worksheet from the outside: the PDF it writes is read back with
// poppler's tools, as a teacher's printer or a screen reader would take it.
#include "model/spectrum.h"
#include "model/state.h"
#include "tests/support/tool.h"
#include "words/words.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace spektrion {
namespace {

using testing_tool::BadCall;
using testing_tool::Outcome;
using testing_tool::run;

Outcome worksheet(const QStringList& arguments)
{
    return run(QStringLiteral(WORKSHEET_BINARY), arguments);
}

// The text of the PDF, every run of blanks made one blank.
QString text_of(const QString& pdf)
{
    return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
        .output.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
}

QString words(const SpinState& s)
{
    return QString::fromStdString(spektrion::words::describe_spectrum(spectrum_of(s)));
}

// Readings of a rendered page: how many pixels in `r` pass `is`, and the longest run
// of such pixels along a row (step 1, 0) or a column (step 0, 1) of `r`.
template <typename Is> int count_where(const QImage& page, const QRect& r, Is is)
{
    int n = 0;
    for (int y = std::max(0, r.top()); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += is(page.pixelColor(x, y));
    return n;
}

template <typename Is> int longest_run(const QImage& page, const QRect& r, QPoint step, Is is)
{
    const QRect area = r & page.rect();
    int best = 0;
    // Each row (or column) of the area, from its first pixel along `step`.
    for (QPoint start = area.topLeft(); area.contains(start); start += QPoint(step.y(), step.x())) {
        int run = 0;
        for (QPoint p = start; area.contains(p); p += step)
            best = std::max(best, run = is(page.pixelColor(p)) ? run + 1 : 0);
    }
    return best;
}

const auto kNotWhite = [](const QColor& c) { return c.rgb() != qRgb(255, 255, 255); };
const auto kDark = [](const QColor& c) { return qGray(c.rgb()) < 64; };
const auto kHue = [](const QColor& c) {
    return std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 40;
};

TEST(WorksheetTest, AllFiftyFourStatesPrintAsVectorsWithTheirAnswersInWords)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    const Outcome out
        = worksheet({QStringLiteral("--count"), QStringLiteral("54"), QStringLiteral("-o"), pdf});
    ASSERT_EQ(out.exit_code, 0) << out.errors.toStdString();
    EXPECT_EQ(out.output + out.errors, QString()) << "a successful run says nothing";
    // No raster image anywhere: pdfimages lists only its two heading lines.
    const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .output.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2) << images.join(u'\n').toStdString();
    const QString text = text_of(pdf);
    EXPECT_TRUE(text.contains(QString::fromUtf8("Завдання 54."))) << "the 54th task";
    EXPECT_TRUE(text.contains(QString::fromUtf8("Відповіді"))) << "the answer key";
    // Nothing in the 12 mm margins: no word, and no drawing in the bottom one.
    const QStringList boxes
        = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
              .output.split(u'\n');
    for (const QString& w : boxes.filter(QStringLiteral("<word"))) {
        const double y_min = w.section(u'"', 3, 3).toDouble(), y_max = w.section(u'"', 7, 7).toDouble();
        EXPECT_TRUE(y_min >= 34 && y_max <= 842 - 34) << "in the margin: " << w.toStdString();
    }
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), pdf,
                      dir.filePath(QStringLiteral("low"))}),
        0);
    for (const QString& name : QDir(dir.path()).entryList({QStringLiteral("low-*.png")})) {
        const QImage page(dir.filePath(name));
        EXPECT_EQ(count_where(page, QRect(0, page.height() - 23, page.width(), 23), kNotWhite), 0)
            << name.toStdString();
    }
    for (const SpinState& s : all_states())
        EXPECT_TRUE(text.contains(words(s))) << format_state(s);
    // The same arguments, the same worksheet.
    const QString again = dir.filePath(QStringLiteral("again.pdf"));
    ASSERT_EQ(
        worksheet({QStringLiteral("--count"), QStringLiteral("54"), QStringLiteral("-o"), again}).exit_code,
        0);
    EXPECT_EQ(text_of(again), text);
}

TEST(WorksheetTest, NamedSystemsComeInTheirOrderAndSeedsChooseOthers)
{
    QTemporaryDir dir;
    const QString named = dir.filePath(QStringLiteral("named.pdf"));
    ASSERT_EQ(worksheet({QStringLiteral("--system"), QStringLiteral("3,1,2,<"), QStringLiteral("--system"),
                            QStringLiteral("1,1,1,>"), QStringLiteral("-o"), named})
                  .exit_code,
        0);
    const QString text = text_of(named);
    EXPECT_TRUE(text.contains(QString::fromUtf8("Завдання 2.")));
    EXPECT_FALSE(text.contains(QString::fromUtf8("Завдання 3.")));
    const qsizetype first = text.indexOf(words({3, 1, 2, Order::MXLarger}));
    const qsizetype second = text.indexOf(words({1, 1, 1, Order::AMLarger}));
    EXPECT_TRUE(first >= 0 && second > first) << "answers in the order named";

    // Six by default; another seed, other tasks.
    const QString one = dir.filePath(QStringLiteral("one.PDF"));
    const QString two = dir.filePath(QStringLiteral("two.pdf"));
    ASSERT_EQ(worksheet({QStringLiteral("-o"), one}).exit_code, 0);
    ASSERT_EQ(
        worksheet({QStringLiteral("--seed"), QStringLiteral("2"), QStringLiteral("-o"), two}).exit_code, 0);
    EXPECT_TRUE(text_of(one).contains(QString::fromUtf8("Завдання 6.")));
    EXPECT_FALSE(text_of(one).contains(QString::fromUtf8("Завдання 7.")));
    EXPECT_NE(text_of(one), text_of(two));
}

// What a teacher checks on paper: each heading names its task's system, the answers
// start a page of their own, each tree's levels name their constants, every answer's
// tallest bars reach twelve grid steps with black numbers under them, and nothing
// runs into the margins.
TEST(WorksheetTest, HeadingsPagesTreesAndAnswersBelongToTheirSystems)
{
    struct Named {
        const char* system;
        const char* formula;  // as pdftotext -layout reads the heading
        const char* order;
        const char* first_split_of_m;  // the larger constant
    };
    const Named tasks[] = {{"3,1,2,<", "A3 M X2", "J(AM) < J(MX)", "J(MX)"},
        {"1,2,3,>", "A M2 X3", "J(AM) > J(MX)", "J(AM)"}, {"2,3,1,<", "A2 M3 X", "J(AM) < J(MX)", "J(MX)"}};
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("named.pdf"));
    QStringList arguments{QStringLiteral("-o"), pdf};
    for (const Named& t : tasks)
        arguments << QStringLiteral("--system") << QString::fromLatin1(t.system);
    ASSERT_EQ(worksheet(arguments).exit_code, 0);
    const QStringList pages
        = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
              .output.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "))
              .split(u'\f');
    const qsizetype key = std::find_if(pages.begin(), pages.end(), [](const QString& page) {
        return page.trimmed().startsWith(QString::fromUtf8("Відповіді"));
    }) - pages.begin();
    ASSERT_TRUE(key > 0 && key < pages.size()) << "no page begins with the answers";
    for (qsizetype p = 0; p < pages.size(); ++p)
        EXPECT_EQ(pages[p].contains(QString::fromUtf8("Намалюйте")), p < key) << "page " << p + 1;
    QStringList key_lines;
    for (const QString& line : pages.mid(key).join(QString()).split(u'\n', Qt::SkipEmptyParts))
        if (!line.trimmed().isEmpty())
            key_lines << line.trimmed();
    for (std::size_t i = 0; i < std::size(tasks); ++i) {
        const QString heading
            = QString::fromUtf8("Завдання %1. %2 %3\n")
                  .arg(i + 1)
                  .arg(QString::fromLatin1(tasks[i].formula), QString::fromLatin1(tasks[i].order));
        EXPECT_EQ(pages.mid(0, key).join(QString()).count(heading), 1) << heading.toStdString();
        // In the key the trees' labels follow: X's level, M's first, A's; M's second.
        const char* first = tasks[i].first_split_of_m;
        const QStringList expected{heading.trimmed(),
            QStringLiteral("J(MX) %1 J(AM)").arg(QString::fromLatin1(first)),
            QString::fromLatin1(std::strcmp(first, "J(AM)") ? "J(AM)" : "J(MX)")};
        const qsizetype at = key_lines.indexOf(expected[0]);
        EXPECT_EQ(key_lines.mid(at, 3), expected) << heading.toStdString();
    }
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("164.465"), QStringLiteral("-png"), pdf,
                      dir.filePath(QStringLiteral("page"))}),
        0);
    int charts = 0;
    for (qsizetype p = key; p < pages.size() - 1; ++p) {
        const QImage page(dir.filePath(QStringLiteral("page-%1.png").arg(p + 1)));
        ASSERT_FALSE(page.isNull());
        for (int y = 0; y < page.height(); ++y) {
            const auto baseline = [&](int row) {
                return longest_run(page, QRect(0, row, page.width(), 1), {1, 0}, kDark);
            };
            if (baseline(y) < 700 || baseline(y - 1) >= 700)
                continue;  // not the top row of an answer's baseline
            ++charts;
            for (const QRgb colour : {0x0000FFu, 0x008000u, 0xFF0000u})
                EXPECT_NEAR(longest_run(page, QRect(0, y - 320, page.width(), 320), {0, 1},
                                [&](const QColor& c) { return c.rgb() == (0xFF000000u | colour); }),
                    300, 2)
                    << "page " << p + 1 << " #" << std::hex << colour;
            EXPECT_EQ(count_where(page, QRect(0, y + 4, page.width(), 16), kHue), 0)
                << "numbers not black, page " << p + 1;
        }
    }
    EXPECT_EQ(charts, int(std::size(tasks)));
}

class WorksheetArgumentTest : public testing::TestWithParam<BadCall> { };

INSTANTIATE_TEST_SUITE_P(BadArguments, WorksheetArgumentTest,
    testing::Values(BadCall{"NoTasks", {"--count", "0"}, "--count"},
        BadCall{"MoreThanAllStates", {"--count", "55"}, "55"},
        BadCall{"SizeFour", {"--system", "4,1,1,>"}, "4,1,1,>"},
        BadCall{"NoOrder", {"--system", "1,1,1"}, "1,1,1"},
        BadCall{"SameSystemTwice", {"--system", "1,2,1,<", "--system", "1,2,1,<"}, "twice"},
        BadCall{"SeedOfAllStates", {"--seed", "5", "--all"}, "--seed"},
        BadCall{"SeedOfASystem", {"--system", "1,2,1,<", "--seed", "5"}, "--seed"},
        BadCall{"CountAndSystems", {"--count", "2", "--system", "1,2,1,<"}, "--count"},
        BadCall{"AllAndCount", {"--all", "--count", "2"}, "--all"},
        BadCall{"NotAPdf", {"-o", "OUT.png"}, "out.png"}, BadCall{"MissingOutput", {"--no-o"}, "--no-o"},
        BadCall{"ToolkitPlatform", {"-platform", "minimal"}, "-platform"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_P(WorksheetArgumentTest, FailsInOneSentenceAndLeavesNoFile)
{
    testing_tool::expect_refused(worksheet, "spektrion-worksheet", GetParam(), "out.pdf");
}

}  // namespace
}  // namespace spektrion
