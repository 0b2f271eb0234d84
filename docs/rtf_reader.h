#pragma once

#include "docs/styled_text.h"

#include <cstddef>
#include <string_view>

namespace tw {

// The documents are data anyone can replace, so the reader is bounded: bytes past
// kMaxRtfBytes are not read (a real slide is a few kilobytes, pictures included), groups
// nested deeper than kMaxRtfGroupDepth are skipped with everything inside them, and
// reading stops once the document holds kMaxRtfPieces paragraphs and runs together,
// which keeps the memory of the model within some tens of megabytes.
inline constexpr std::size_t kMaxRtfBytes = 16 * 1024 * 1024;
inline constexpr int kMaxRtfGroupDepth = 256;
inline constexpr std::size_t kMaxRtfPieces = 256 * 1024;

// Reads rich text (RTF) into a styled document in one pass, in time linear in the input.
//
// Understood: groups (character and paragraph formatting and \uc are restored at the
// group's end), \par \line \tab \pard \plain \b \i \ul (and its variants) \ulnone \fs \f
// with the font table and \deff, \cf with the colour table, \ql \qc \qr \qj \sb \sa \fi
// \li \ri, \'hh as Windows-1252, \uN with \ucN (negative N, surrogate pairs), \{ \} \\,
// \~ (no-break space), \_ (no-break hyphen), \- (dropped), \bin, and the named
// punctuation (\emdash, \lquote, \bullet...). \cell reads as a tab, \row \sect \page as
// paragraph ends. The texts of the font table, colour table, style sheet, info, pictures,
// headers, footers, footnotes, objects and of every {\* ...} group are not shown.
// Other control words are ignored; CR and LF in the source are ignored.
//
// A paragraph takes the paragraph formatting in effect at its \par (the last one has that
// of its last character); a last paragraph without text is dropped.
//
// Anything is accepted: a document that starts with '{' (after an optional UTF-8
// byte-order mark) ends at the brace that closes that group, or at the end of the input
// when braces are missing; input without the {\rtf header is read as the body of a
// document, ignoring surplus '}'. Malformed escapes are dropped, invalid \u values and
// lone surrogates read as U+FFFD, control characters are dropped, and the result is
// always well-formed UTF-8.
StyledDocument ParseRtf(std::string_view bytes);

} // namespace tw
