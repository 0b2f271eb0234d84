#pragma once

#include "docs/styled_text.h"

#include <string>

namespace tw {

class CClientRecord;

// Document file names: slides 1-6, 8, 9, 11 and 13 have one ("" for any other number),
// answers 1-10 are "answer01.qnl" to "answer10.qnl".
std::string SlideFileName(int slide);
std::string AnswerFileName(int answer);
inline constexpr const char *kSignUpFileName = "signup.qnl";

// Replace the document's {{NAME}} tokens by the client's figures, list entry by list
// entry: each entry replaces the first occurrence still present, so a token listed k
// times fills its first k occurrences. Tokens absent from the document are skipped.
void SubstituteSlidePlaceholders(StyledDocument &doc, int slide, const CClientRecord &record);
void SubstituteAnswerPlaceholders(StyledDocument &doc, int answer, const CClientRecord &record);
void SubstituteSignUpPlaceholders(StyledDocument &doc, const CClientRecord &record);

// A document loaded from `directory` (the program's own, with a trailing '/') with its
// list already run; missing files give an empty document.
StyledDocument LoadSlide(const std::string &directory, int slide, const CClientRecord &record);
StyledDocument LoadAnswer(const std::string &directory, int answer, const CClientRecord &record);
StyledDocument LoadSignUp(const std::string &directory, const CClientRecord &record);

} // namespace tw
