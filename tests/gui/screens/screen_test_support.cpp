#include "screen_test_support.h"

#include "screens/rich_text_view.h"

#include <QFile>

namespace tw::test {

QByteArray SimpleRtf(const QString &text)
{
    QByteArray body;
    for (QChar c : text) {
        if (c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char('\\'))
            body += '\\';
        body += c.toLatin1();
    }
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\plain\\f0\\fs24 " + body + "\\par}";
}

DocumentFolder::DocumentFolder()
{
    SetDocumentDirectory(dir_.path().toStdString() + '/');
}

DocumentFolder::~DocumentFolder()
{
    SetDocumentDirectory({});
}

void DocumentFolder::Write(const QString &name, const QString &text)
{
    QFile f(dir_.filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(SimpleRtf(text));
}

void DocumentFolder::Remove(const QString &name)
{
    QFile::remove(dir_.filePath(name));
}

} // namespace tw::test
