#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

// `tallowin-cli letters --csv PROSPECTS.csv --out DIR [--today MM/DD/YYYY] [--jobs N]`
// with `args` the words after "letters": one analysis letter PDF per prospect row,
// each row passing the vendor form's checks. Bad rows are reported on `err` with their
// line number and reason, and the others are still written; a summary line ends `out`.
// With `progress` a line on `err` is kept up to date while the letters are written.
// Returns 0 when every row was written, 2 when the arguments or the file were refused or
// some rows were, 1 when a file could not be written.
int RunLettersCommand(const std::vector<std::string> &args);
int RunLettersCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, bool progress);

} // namespace tw
