#pragma once

#include <QString>

// The maker's message (informe.dat) comes over plain http and is shown at start-up, so it is
// never handed to the rich-text engine as it came: nested tables alone can keep that engine
// busy for minutes. What is shown is rebuilt from its text with a few inline marks only.
namespace textomensaje {

// Visible characters kept; the rest of a longer message is cut with "…".
constexpr int kMaximoTexto = 32 * 1024;
// Paragraphs and line breaks kept; later ones become blanks.
constexpr int kMaximoLineas = 2000;

// HTML made only of paragraphs, line breaks, bold and italics, with every text escaped:
// a paragraph holds runs of text, each at most inside one <b> and one <i>, so the depth is
// three whatever the message nests. Links are shown as their text followed by the address in
// brackets (never as links); tables, images, scripts, styles and every other element give
// only their text, or nothing for scripts and styles. Common character entities are read.
QString sanea(const QString &html);

} // namespace textomensaje
