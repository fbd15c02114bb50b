// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

// spektrion-worksheet from the outside: the PDF it writes is read back with
// poppler's tools, as a teacher's printer or a screen reader would take it.
#include "spin_system.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace spektrion {
namespace {

struct Outcome {
    int exit_code;
    QString output;
    QString errors;
};

Outcome run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
        QString::fromUtf8(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
}

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

QString words(int nA, int nM, int nX, int znak_J)
{
    SpinSystem s;
    s.nA = std::int16_t(nA);
    s.nM = std::int16_t(nM);
    s.nX = std::int16_t(nX);
    s.znak_J = std::int16_t(znak_J);
    s.calculate();
    return QString::fromStdString(describe_spectrum(s));
}

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
    for (int j = 0; j < 2; ++j)
        for (int a = 1; a <= 3; ++a)
            for (int m = 1; m <= 3; ++m)
                for (int x = 1; x <= 3; ++x)
                    EXPECT_TRUE(text.contains(words(a, m, x, j))) << a << m << x << " order " << j;
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
    const qsizetype first = text.indexOf(words(3, 1, 2, 1));
    const qsizetype second = text.indexOf(words(1, 1, 1, 0));
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

struct BadCall {
    const char* name;
    QStringList arguments;
    const char* named;  // what the message must name
};

void PrintTo(const BadCall& b, std::ostream* os)
{
    *os << b.name;
}

class WorksheetArgumentTest : public testing::TestWithParam<BadCall> { };

INSTANTIATE_TEST_SUITE_P(BadArguments, WorksheetArgumentTest,
    testing::Values(BadCall{"NoTasks", {"--count", "0"}, "--count"},
        BadCall{"MoreThanAllStates", {"--count", "55"}, "55"},
        BadCall{"SizeFour", {"--system", "4,1,1,>"}, "4,1,1,>"},
        BadCall{"NoOrder", {"--system", "1,1,1"}, "1,1,1"},
        BadCall{"SameSystemTwice", {"--system", "1,2,1,<", "--system", "1,2,1,<"}, "twice"},
        BadCall{"CountAndSystems", {"--count", "2", "--system", "1,2,1,<"}, "--count"},
        BadCall{"NotAPdf", {"-o", "OUT.png"}, "out.png"}, BadCall{"MissingOutput", {"--no-o"}, "--no-o"},
        BadCall{"ToolkitPlatform", {"-platform", "minimal"}, "-platform"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_P(WorksheetArgumentTest, FailsInOneSentenceAndLeavesNoFile)
{
    QTemporaryDir dir;
    QStringList arguments;
    for (const QString& a : GetParam().arguments)
        arguments << QString(a).replace(QLatin1String("OUT"), dir.filePath(QStringLiteral("out")));
    if (!arguments.contains(QLatin1String("-o")))
        arguments << QStringLiteral("-o") << dir.filePath(QStringLiteral("out.pdf"));
    const Outcome out = worksheet(arguments);
    EXPECT_EQ(out.exit_code, 2);
    const QStringList lines = out.errors.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << out.errors.toStdString();
    EXPECT_TRUE(lines[0].contains(QString::fromLatin1(GetParam().named))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], QLatin1String("Try 'spektrion-worksheet --help'."));
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "a file was left behind";
}

}  // namespace
}  // namespace spektrion
