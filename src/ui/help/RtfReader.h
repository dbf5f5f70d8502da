#pragma once
// Reads the rich text (RTF) of our manuals into a QTextDocument: paragraphs and line breaks,
// tabs, bold, italic, underline, font size, the colour table, fixed-pitch fonts, paragraph
// alignment and indents, \'hh bytes in the cp1251 code page and \uN characters. Everything
// else (document information, style sheets, pictures, ignorable destinations) is skipped.

#include <string_view>

class QTextDocument;

namespace quelmar {

// Replaces the content of document with the text of rtf. Any bytes are accepted: malformed
// input gives whatever text could be read from it, never a failure.
void readRtf(std::string_view rtf, QTextDocument& document);

} // namespace quelmar
