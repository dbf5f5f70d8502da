#include "ui/help/RtfReader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace quelmar;

namespace {

struct Run {
    QString text;
    QTextCharFormat format;
};

QStringList blocksOf(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

std::vector<Run> runsOf(const QTextDocument& doc) {
    std::vector<Run> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            out.push_back({it.fragment().text(), it.fragment().charFormat()});
    return out;
}

const Run* runWithText(const std::vector<Run>& runs, const QString& text) {
    for (const Run& r : runs)
        if (r.text == text) return &r;
    return nullptr;
}

QString read(std::string_view rtf, QTextDocument& doc) {
    readRtf(rtf, doc);
    return blocksOf(doc).join(QLatin1Char('|'));
}

} // namespace

TEST(RtfReader, ParagraphsAndBoldRuns) {
    QTextDocument doc;
    EXPECT_EQ(read(R"({\rtf1\ansi Plain \b bold\b0  text\par Second\par})", doc),
              "Plain bold text|Second|");
    const auto runs = runsOf(doc);
    ASSERT_NE(runWithText(runs, "bold"), nullptr);
    EXPECT_EQ(runWithText(runs, "bold")->format.fontWeight(), QFont::Bold);
    EXPECT_EQ(runWithText(runs, "Plain ")->format.fontWeight(), QFont::Normal);
    EXPECT_EQ(runWithText(runs, " text")->format.fontWeight(), QFont::Normal);
}

TEST(RtfReader, NestedGroupsRestoreTheOuterFormat) {
    QTextDocument doc;
    EXPECT_EQ(read(R"({\rtf1 {\b B{\i BI\ul U}B}N})", doc), "BBIUBN");
    const auto runs = runsOf(doc);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_TRUE(runs[0].format.fontWeight() == QFont::Bold && !runs[0].format.fontItalic());
    EXPECT_TRUE(runs[1].format.fontWeight() == QFont::Bold && runs[1].format.fontItalic());
    EXPECT_TRUE(runs[2].format.fontUnderline() && runs[2].format.fontItalic());
    EXPECT_TRUE(runs[3].format.fontWeight() == QFont::Bold && !runs[3].format.fontItalic() &&
                !runs[3].format.fontUnderline());
    EXPECT_EQ(runs[4].format.fontWeight(), QFont::Normal);
}

TEST(RtfReader, SizesSwitchesAndResets) {
    QTextDocument doc;
    read(R"({\rtf1\fs32\b\i\ul Head\ul0\i0\b0 a\ulnone\b1 b\plain c})", doc);
    const auto runs = runsOf(doc);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_DOUBLE_EQ(runs[0].format.fontPointSize(), 16.0);
    EXPECT_TRUE(runs[0].format.fontItalic() && runs[0].format.fontUnderline());
    EXPECT_FALSE(runs[1].format.fontItalic() || runs[1].format.fontUnderline());
    EXPECT_EQ(runs[2].format.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(runs[3].format.fontPointSize(), 12.0);
    EXPECT_EQ(runs[3].format.fontWeight(), QFont::Normal);
}

TEST(RtfReader, ParagraphAlignmentAndIndentLastUntilPard) {
    QTextDocument doc;
    read(R"({\rtf1\qc\sb240 Title\par\pard\li720\fi-360 item\par\pard plain})", doc);
    const QTextBlock title = doc.begin();
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(title.blockFormat().topMargin(), 16.0);
    const QTextBlock item = title.next();
    EXPECT_DOUBLE_EQ(item.blockFormat().leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(item.blockFormat().textIndent(), -24.0);
    const QTextBlock plain = item.next();
    EXPECT_EQ(plain.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(plain.blockFormat().leftMargin(), 0.0);
}

TEST(RtfReader, Cp1251BytesAndUnicodeCharacters) {
    QTextDocument doc;
    EXPECT_EQ(read(R"({\rtf1\ansi\ansicpg1251 \'e0\'c0\'b9\'ab})", doc), QString::fromUtf8("аА№«"));
    // \uN is followed by one stand-in character by default, by N of them after \ucN.
    EXPECT_EQ(read(R"({\rtf1 \u1072?b})", doc), QString::fromUtf8("аb"));
    EXPECT_EQ(read(R"({\rtf1 \u1072\'3fb})", doc), QString::fromUtf8("аb"));
    EXPECT_EQ(read(R"({\rtf1\uc2 \u1072??b\uc0 \u1073 c})", doc), QString::fromUtf8("аbбc"));
    // Code units above 32767 are written negative.
    EXPECT_EQ(read(R"({\rtf1 \u-1793?})", doc), QString(QChar(0xF8FF)));
    // A group end cancels what is left of the stand-in.
    EXPECT_EQ(read(R"({\rtf1\uc3 {\u1072?}xy})", doc), QString::fromUtf8("аxy"));
    // Raw bytes above 127 are read in the same code page.
    EXPECT_EQ(read("{\\rtf1 \xcf\xf0\xe8}", doc), QString::fromUtf8("При"));
}

TEST(RtfReader, EscapesAndSpecialCharacters) {
    QTextDocument doc;
    EXPECT_EQ(read(R"({\rtf1 a\\b\{c\}d\tab e\line f\emdash\~g\-h})", doc),
              QString::fromUtf8("a\\b{c}d\te\u2028f—\u00A0gh"));
    EXPECT_EQ(doc.blockCount(), 1);
    EXPECT_EQ(read("{\\rtf1 one\\\r\ntwo\r\nthree}", doc), "one|twothree");
}

TEST(RtfReader, ColourTable) {
    QTextDocument doc;
    read(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue200;}\cf1 R\cf2 B\cf0 A\cf7 X})",
         doc);
    // Entry 0 is "automatic" and entry 7 does not exist: both leave the default colour.
    const auto runs = runsOf(doc);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].format.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(runs[1].format.foreground().color(), QColor(0, 0, 200));
    EXPECT_EQ(runs[2].text, "AX");
    EXPECT_FALSE(runs[2].format.hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfReader, SkipsTablesInformationAndIgnorableDestinations) {
    QTextDocument doc;
    const char* rtf = R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}})"
                      R"({\stylesheet{\s1 Heading;}}{\info{\title Secret}{\author Nobody}})"
                      R"({\*\generator Writer 1.0;}{\*\unknownthing hidden})"
                      R"({\pict\wmetafile8 0102ff}Text \f1 code\f0  end})";
    EXPECT_EQ(read(rtf, doc), "Text code end");
    const auto runs = runsOf(doc);
    ASSERT_NE(runWithText(runs, "code"), nullptr);
    EXPECT_TRUE(runWithText(runs, "code")->format.fontFixedPitch());
    EXPECT_FALSE(runWithText(runs, "Text ")->format.fontFixedPitch());
}

TEST(RtfReader, BinaryDataIsSkipped) {
    QTextDocument doc;
    EXPECT_EQ(read("{\\rtf1 a{\\*\\blob\\bin4 }{\\}}b}", doc), "ab");
    EXPECT_EQ(read("{\\rtf1 a\\bin99999 xyz", doc), "a");
}

TEST(RtfReader, MalformedInputGivesWhatCanBeRead) {
    QTextDocument doc;
    EXPECT_EQ(read("}}a}}b", doc), "ab");             // stray closing braces
    EXPECT_EQ(read("{\\rtf1{{{\\b x", doc), "x");     // groups never closed
    EXPECT_EQ(read("{\\rtf1 x\\", doc), "x");         // backslash at the very end
    EXPECT_EQ(read("{\\rtf1 x\\'4", doc), "x");       // half a hex escape
    EXPECT_EQ(read("{\\rtf1 x\\'zzy}", doc), "xzzy"); // not hex at all
    EXPECT_EQ(read("{\\rtf1 x\\u}", doc), "x");       // \u without a number
    EXPECT_EQ(read("{\\rtf1\\fs99999999999999 x\\fs-5 y\\li-999999999 z}", doc), "xyz");
    EXPECT_EQ(read(std::string_view("a\0b\x01\x1f", 5), doc), "ab");
    EXPECT_EQ(read("", doc), "");
}

TEST(RtfReader, DeepNestingIsReadWithoutExhaustingMemory) {
    QTextDocument doc;
    const std::string deep =
        std::string(200000, '{') + "\\b deep" + std::string(200000, '}') + " after";
    EXPECT_EQ(read(deep, doc), "deep after");
    const auto runs = runsOf(doc);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].format.fontWeight(), QFont::Normal);
}

TEST(RtfReader, RandomBytesNeverFail) {
    std::mt19937 random(20240607);
    const std::string alphabet = "{}\\'*;0123456789abcdefuxbinparfsc- \r\n\t";
    for (int round = 0; round < 300; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 2000), '\0');
        for (char& c : bytes) {
            // Mostly RTF's own characters, so the garbage reaches deep into the reader.
            c = random() % 3 == 0 ? static_cast<char>(random() % 256)
                                  : alphabet[random() % alphabet.size()];
        }
        QTextDocument doc;
        readRtf(bytes, doc);
        EXPECT_GE(doc.blockCount(), 1);
    }
}
