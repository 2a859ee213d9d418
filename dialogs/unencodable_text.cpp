#include "dialogs/unencodable_text.h"

#include <algorithm>
#include <string>

#include "dialogs/dialog_texts.h"
#include "storage/cp932.h"

QString UnencodableMessage(const char* what, const QString& value)
{
    const auto lineBreak = std::find_if(value.begin(), value.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    EncodeFailure failure;
    std::string encoded;
    QString character;
    if (lineBreak != value.end()) {
        failure.character = lineBreak->unicode();
        character = QString::fromUtf8(DialogText::kLineBreak);
    } else if (utf8ToCp932(value.toStdString(), encoded, &failure)) {
        return {};
    } else {
        character = QString::fromUtf8(DialogText::kOpenQuote) + QString::fromStdString(failure.utf8)
                    + QString::fromUtf8(DialogText::kCloseQuote);
    }
    return QString::fromUtf8(what) + QString::fromUtf8(DialogText::kUnencodable) + character + QStringLiteral("(")
           + QString::fromStdString(codePointName(failure.character)) + QStringLiteral(")");
}
