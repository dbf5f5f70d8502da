#include "RtfReader.h"

#include "RtfLexer.h"
#include "core/cp1251.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace quelmar {

namespace {

constexpr int DefaultHalfPoints = 24; // 12 pt
// Deeper nesting than this is counted, not stored, so a run of braces cannot exhaust memory.
constexpr std::size_t MaxStoredDepth = 200;
constexpr double TwipsPerPixel = 15.0;

struct CharacterState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = DefaultHalfPoints;
    int colour = 0;
    int font = -1; // -1: the document's default font (\deffN)
    bool operator==(const CharacterState&) const = default;
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0; // twips, as are the three below
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

enum class Destination { Text, Skipped, FontTable, ColourTable };

struct GroupState {
    CharacterState characters;
    ParagraphState paragraph;
    Destination destination = Destination::Text;
    int unicodeFallback = 1; // \ucN: characters after \uN that stand in for it
};

// Groups whose content is never shown in the viewer.
const std::set<std::string_view>& skippedDestinations() {
    static const std::set<std::string_view> words = {"info",
                                                     "stylesheet",
                                                     "pict",
                                                     "object",
                                                     "header",
                                                     "headerl",
                                                     "headerr",
                                                     "headerf",
                                                     "footer",
                                                     "footerl",
                                                     "footerr",
                                                     "footerf",
                                                     "footnote",
                                                     "fldinst",
                                                     "listtable",
                                                     "listoverridetable",
                                                     "rsidtbl",
                                                     "generator",
                                                     "xmlnstbl",
                                                     "themedata",
                                                     "colorschememapping",
                                                     "latentstyles",
                                                     "datastore",
                                                     "revtbl",
                                                     "filetbl",
                                                     "private",
                                                     "userprops",
                                                     "docvar",
                                                     "pn",
                                                     "bkmkstart",
                                                     "bkmkend",
                                                     "nonshppict",
                                                     "annotation",
                                                     "atnid"};
    return words;
}

class RtfReader {
public:
    explicit RtfReader(QTextDocument& document) : cursor_(&document) {
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            codePage_[b] = QString::fromUtf8(cp1251ToUtf8(std::string_view(&byte, 1))).at(0);
        }
    }

    void read(std::string_view rtf) {
        RtfLexer lexer(rtf);
        for (RtfToken token = lexer.next(); token.kind != RtfToken::Kind::End;
             token = lexer.next()) {
            handle(token, lexer);
        }
        flush();
        applyParagraph();
    }

private:
    GroupState& state() { return groups_.back(); }

    void handle(const RtfToken& token, RtfLexer& lexer) {
        switch (token.kind) {
        case RtfToken::Kind::GroupOpen:
            return openGroup();
        case RtfToken::Kind::GroupClose:
            return closeGroup();
        case RtfToken::Kind::ControlWord:
            if (token.word == "bin") return lexer.skipBytes(token.parameter);
            if (consumedAsFallback()) return;
            return controlWord(token);
        case RtfToken::Kind::ControlSymbol:
            if (consumedAsFallback()) return;
            return controlSymbol(token.symbol);
        case RtfToken::Kind::HexByte:
        case RtfToken::Kind::Text:
            if (consumedAsFallback()) return;
            return character(token.byte, token.kind == RtfToken::Kind::Text);
        case RtfToken::Kind::End:
            return;
        }
    }

    void openGroup() {
        fallbackLeft_ = 0;
        if (groups_.size() >= MaxStoredDepth) {
            ++unstoredDepth_;
            return;
        }
        groups_.push_back(groups_.back());
    }

    void closeGroup() {
        fallbackLeft_ = 0;
        if (unstoredDepth_ > 0) {
            --unstoredDepth_;
            return;
        }
        if (groups_.size() > 1) groups_.pop_back(); // a stray closing brace is ignored
    }

    // After \uN the next characters are the stand-in for readers without Unicode.
    bool consumedAsFallback() {
        if (fallbackLeft_ <= 0) return false;
        --fallbackLeft_;
        return true;
    }

    void controlSymbol(char symbol) {
        switch (symbol) {
        case '*':
            state().destination = Destination::Skipped;
            return;
        case '\\':
        case '{':
        case '}':
            return character(static_cast<unsigned char>(symbol), true);
        case '~':
            return text(QChar(0x00A0));
        case '_':
            return text(QChar(0x2011));
        case '\r':
        case '\n':
            return paragraphBreak();
        default:
            return; // \- (optional hyphen), a broken \' and unknown symbols show nothing
        }
    }

    void controlWord(const RtfToken& token) {
        const std::string_view w = token.word;
        if (skippedDestinations().count(w) != 0) {
            state().destination = Destination::Skipped;
            return;
        }
        if (w == "fonttbl") {
            state().destination = Destination::FontTable;
            return;
        }
        if (w == "colortbl") {
            state().destination = Destination::ColourTable;
            colourPending_ = {};
            return;
        }
        switch (state().destination) {
        case Destination::Skipped:
            return;
        case Destination::FontTable:
            return fontTableWord(token);
        case Destination::ColourTable:
            return colourTableWord(token);
        case Destination::Text:
            break;
        }
        if (characterWord(token) || paragraphWord(token)) return;
        specialCharacterWord(token);
    }

    bool characterWord(const RtfToken& token) {
        const std::string_view w = token.word;
        const bool on = !token.hasParameter || token.parameter != 0;
        CharacterState& c = state().characters;
        if (w == "b")
            c.bold = on;
        else if (w == "i")
            c.italic = on;
        else if (w == "ul")
            c.underline = on;
        else if (w == "ulnone")
            c.underline = false;
        else if (w == "fs")
            c.halfPoints = token.hasParameter ? token.parameter : DefaultHalfPoints;
        else if (w == "cf")
            c.colour = token.parameter;
        else if (w == "f")
            c.font = token.parameter;
        else if (w == "deff")
            defaultFont_ = token.parameter;
        else if (w == "plain")
            c = CharacterState{};
        else if (w == "uc")
            state().unicodeFallback = std::clamp(token.parameter, 0, 16);
        else
            return false;
        return true;
    }

    bool paragraphWord(const RtfToken& token) {
        const std::string_view w = token.word;
        ParagraphState& p = state().paragraph;
        if (w == "par" || w == "page" || w == "sect" || w == "row")
            paragraphBreak();
        else if (w == "pard")
            p = ParagraphState{};
        else if (w == "ql")
            p.alignment = Qt::AlignLeft;
        else if (w == "qc")
            p.alignment = Qt::AlignHCenter;
        else if (w == "qr")
            p.alignment = Qt::AlignRight;
        else if (w == "qj")
            p.alignment = Qt::AlignJustify;
        else if (w == "li")
            p.leftIndent = token.parameter;
        else if (w == "fi")
            p.firstIndent = token.parameter;
        else if (w == "sb")
            p.spaceBefore = token.parameter;
        else if (w == "sa")
            p.spaceAfter = token.parameter;
        else
            return false;
        return true;
    }

    void specialCharacterWord(const RtfToken& token) {
        static const std::map<std::string_view, char16_t> named = {
            {"tab", u'\t'},        {"cell", u'\t'},       {"line", 0x2028},    {"emdash", 0x2014},
            {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002}};
        if (token.word == "u") return unicodeCharacter(token);
        const auto it = named.find(token.word);
        if (it != named.end()) text(QChar(it->second));
    }

    void unicodeCharacter(const RtfToken& token) {
        if (!token.hasParameter) return;
        // RTF writes code units above 32767 as negative numbers.
        const std::int64_t unit = token.parameter < 0 ? token.parameter + 65536LL : token.parameter;
        if (unit >= 0 && unit <= 0xFFFF) text(QChar(static_cast<char16_t>(unit)));
        fallbackLeft_ = state().unicodeFallback;
    }

    void fontTableWord(const RtfToken& token) {
        if (token.word == "f")
            fontNumber_ = token.parameter;
        else if (token.word == "fmodern")
            fixedPitchFonts_.insert(fontNumber_);
        else if (token.word == "fprq" && token.parameter == 1)
            fixedPitchFonts_.insert(fontNumber_);
    }

    void colourTableWord(const RtfToken& token) {
        const int value = std::clamp(token.parameter, 0, 255);
        QColor colour = colourPending_.value_or(QColor(0, 0, 0));
        if (token.word == "red")
            colour.setRed(value);
        else if (token.word == "green")
            colour.setGreen(value);
        else if (token.word == "blue")
            colour.setBlue(value);
        else
            return;
        colourPending_ = colour;
    }

    // A byte of text: plain ASCII, or a character of the cp1251 code page.
    void character(unsigned char byte, bool literal) {
        const Destination d = state().destination;
        if (d == Destination::ColourTable && literal && byte == ';') {
            colours_.push_back(colourPending_); // an entry without colour means "automatic"
            colourPending_ = {};
            return;
        }
        if (d != Destination::Text) return;
        text(codePage_[byte]);
    }

    void text(QChar c) {
        if (state().destination != Destination::Text) return;
        if (!pending_.isEmpty() && !(pendingFormat_ == state().characters)) flush();
        pendingFormat_ = state().characters;
        pending_ += c;
    }

    void paragraphBreak() {
        if (state().destination != Destination::Text) return;
        flush();
        applyParagraph();
        cursor_.insertBlock();
    }

    void flush() {
        if (pending_.isEmpty()) return;
        cursor_.insertText(pending_, characterFormat(pendingFormat_));
        pending_.clear();
    }

    void applyParagraph() {
        const ParagraphState& p = state().paragraph;
        QTextBlockFormat format;
        format.setAlignment(p.alignment);
        format.setLeftMargin(std::clamp(p.leftIndent, 0, 31680) / TwipsPerPixel);
        format.setTextIndent(std::clamp(p.firstIndent, -31680, 31680) / TwipsPerPixel);
        format.setTopMargin(std::clamp(p.spaceBefore, 0, 31680) / TwipsPerPixel);
        format.setBottomMargin(std::clamp(p.spaceAfter, 0, 31680) / TwipsPerPixel);
        cursor_.setBlockFormat(format);
    }

    QTextCharFormat characterFormat(const CharacterState& c) const {
        QTextCharFormat format;
        format.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(c.italic);
        format.setFontUnderline(c.underline);
        format.setFontPointSize(std::clamp(c.halfPoints, 2, 400) / 2.0);
        if (c.colour >= 0 && static_cast<std::size_t>(c.colour) < colours_.size() &&
            colours_[static_cast<std::size_t>(c.colour)]) {
            format.setForeground(*colours_[static_cast<std::size_t>(c.colour)]);
        }
        if (fixedPitchFonts_.count(c.font < 0 ? defaultFont_ : c.font) != 0) {
            format.setFontFamilies({QStringLiteral("monospace")});
            format.setFontFixedPitch(true);
            format.setFontStyleHint(QFont::TypeWriter);
        }
        return format;
    }

    QTextCursor cursor_;
    std::array<QChar, 256> codePage_{};
    std::vector<GroupState> groups_{GroupState{}};
    std::size_t unstoredDepth_ = 0;
    int fallbackLeft_ = 0;
    QString pending_;
    CharacterState pendingFormat_;
    int defaultFont_ = -1;
    int fontNumber_ = -1;
    std::set<int> fixedPitchFonts_;
    std::vector<std::optional<QColor>> colours_;
    std::optional<QColor> colourPending_;
};

} // namespace

void readRtf(std::string_view rtf, QTextDocument& document) {
    document.clear();
    RtfReader(document).read(rtf);
}

} // namespace quelmar
