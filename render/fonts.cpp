// The table of Windows font names and their stand-ins on Debian: the IPA
// fonts for the Japanese faces (IPAGothic has the same half- and full-width
// advances as the monospaced Windows gothic), the URW and DejaVu families for
// the Latin ones. Earlier entries in a row are preferred.
#include "render/fonts.h"

#include <QFont>
#include <QFontDatabase>

#include <mutex>

namespace {

struct Substitution {
    const char* windowsName;  // UTF-8
    const char* installed[3];
};

const Substitution kSubstitutions[] = {
    {"ＭＳ ゴシック", {"IPAGothic", "TakaoGothic", "IPAexGothic"}},
    {"MS Gothic", {"IPAGothic", "TakaoGothic", "IPAexGothic"}},
    {"ＭＳ Ｐゴシック", {"IPAPGothic", "TakaoPGothic", "IPAexGothic"}},
    {"MS PGothic", {"IPAPGothic", "TakaoPGothic", "IPAexGothic"}},
    {"MS UI Gothic", {"IPAPGothic", "TakaoPGothic", "IPAexGothic"}},
    {"ＭＳ 明朝", {"IPAMincho", "TakaoMincho", "IPAexMincho"}},
    {"MS Mincho", {"IPAMincho", "TakaoMincho", "IPAexMincho"}},
    {"ＭＳ Ｐ明朝", {"IPAPMincho", "TakaoPMincho", "IPAexMincho"}},
    {"MS PMincho", {"IPAPMincho", "TakaoPMincho", "IPAexMincho"}},
    {"メイリオ", {"IPAexGothic", "IPAPGothic", nullptr}},
    {"Meiryo", {"IPAexGothic", "IPAPGothic", nullptr}},
    {"Meiryo UI", {"IPAexGothic", "IPAPGothic", nullptr}},
    {"游ゴシック", {"IPAexGothic", "IPAPGothic", nullptr}},
    {"Yu Gothic", {"IPAexGothic", "IPAPGothic", nullptr}},
    {"游明朝", {"IPAexMincho", "IPAPMincho", nullptr}},
    {"Yu Mincho", {"IPAexMincho", "IPAPMincho", nullptr}},
    {"Arial", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
    {"Helvetica", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
    {"Times New Roman", {"Liberation Serif", "Nimbus Roman", "DejaVu Serif"}},
    {"Courier New", {"Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono"}},
    {"Courier", {"Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono"}},
    {"Century", {"C059", "DejaVu Serif", nullptr}},
    {"Century Schoolbook", {"C059", "DejaVu Serif", nullptr}},
    {"Bookman Old Style", {"URW Bookman", "DejaVu Serif", nullptr}},
    {"Palatino Linotype", {"P052", "DejaVu Serif", nullptr}},
    {"Tahoma", {"DejaVu Sans", nullptr, nullptr}},
    {"Verdana", {"DejaVu Sans", nullptr, nullptr}},
    {"Segoe UI", {"DejaVu Sans", nullptr, nullptr}},
    {"MS Sans Serif", {"DejaVu Sans", nullptr, nullptr}},
    {"Microsoft Sans Serif", {"DejaVu Sans", nullptr, nullptr}},
    {"MS Serif", {"DejaVu Serif", nullptr, nullptr}},
    {"Lucida Console", {"DejaVu Sans Mono", nullptr, nullptr}},
    {"Consolas", {"DejaVu Sans Mono", nullptr, nullptr}},
};

const Substitution* findSubstitution(const QString& family)
{
    for (const Substitution& row : kSubstitutions)
        if (family.compare(QString::fromUtf8(row.windowsName), Qt::CaseInsensitive) == 0)
            return &row;
    return nullptr;
}

}  // namespace

QStringList fontSubstitutes(const QString& family)
{
    QStringList names;
    if (const Substitution* row = findSubstitution(family))
        for (const char* name : row->installed)
            if (name)
                names << QString::fromUtf8(name);
    return names;
}

void installFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const Substitution& row : kSubstitutions) {
            const QString name = QString::fromUtf8(row.windowsName);
            QFont::insertSubstitutions(name, fontSubstitutes(name));
        }
    });
}

QStringList mappedFontNames()
{
    QStringList names;
    for (const Substitution& row : kSubstitutions) {
        const QString name = QString::fromUtf8(row.windowsName);
        if (fontFamilyAvailable(name))
            names << name;
    }
    return names;
}

bool fontFamilyAvailable(const QString& family)
{
    if (family.isEmpty())
        return false;
    if (QFontDatabase::hasFamily(family))
        return true;
    for (const QString& name : fontSubstitutes(family))
        if (QFontDatabase::hasFamily(name))
            return true;
    return false;
}
