#pragma once

#include "docs/styled_text.h"

#include <QString>
#include <QTextEdit>

#include <string>

class QTextDocument;

namespace tw {

// Where the screens find their documents: the program's own directory (ending in '/')
// unless a test or the command line has pointed it elsewhere.
std::string DocumentDirectory();
// An empty directory brings the default back.
void SetDocumentDirectory(std::string directory);

// Screen points to layout pixels at the usual 96 dots per inch.
inline constexpr double kDefaultPixelsPerPoint = 96.0 / 72.0;

// Replaces the content of |target| by |doc|: paragraph alignment, spacing and indents,
// and per run the face, size, bold, italic, underline and colour. Line breaks stay line
// breaks inside their paragraph; tabs advance to the next half inch. Spacing and indents
// come in points and are laid out at |pixelsPerPoint|.
void FillTextDocument(QTextDocument &target, const StyledDocument &doc, double pixelsPerPoint = kDefaultPixelsPerPoint);

// The read-only document view of the slide, answer and sign-up screens: bordered, a
// vertical scroll bar when the text needs one, lines wrapped at the view's width.
class CRichTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit CRichTextView(QWidget *parent = nullptr);

    void SetDocument(const StyledDocument &doc);
    void Clear();
    // What the reader sees, paragraphs and line breaks as '\n'.
    QString PlainText() const;
};

} // namespace tw
