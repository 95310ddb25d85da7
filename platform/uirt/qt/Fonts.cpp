// Fonts of the Qt front end: the resource font names mapped to Qt fonts.
#include "platform/uirt/qt/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>

namespace uirt::qt {

bool equalAdvances(const QFont& font) {
    const QFontMetricsF m(font);
    const qreal advance = m.horizontalAdvance(QLatin1Char('0'));
    const QString sample = QStringLiteral("0123456789ABCDEFabcdef :.,-_xiIlWwMm|()[]#%");
    return advance > 0 && std::all_of(sample.begin(), sample.end(),
                                      [&](QChar ch) { return m.horizontalAdvance(ch) == advance; });
}

QFont monospacedFont() {
    // The build installs DejaVu Sans Mono; the system's fixed font keeps its size.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont dejaVu = font;
    dejaVu.setFamilies({QStringLiteral("DejaVu Sans Mono")});
    dejaVu.setStyleHint(QFont::TypeWriter);
    if (equalAdvances(dejaVu)) return dejaVu;
    if (equalAdvances(font)) return font;
    font.setFamilies({QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont fontFor(std::string_view name) {
    if (name.empty()) return QApplication::font();
    if (name.find("Courier") != std::string_view::npos ||
        name.find("Mono") != std::string_view::npos)
        return monospacedFont();
    // The panels name a proportional face only for headings: show it larger and bold, with
    // a serif fallback when the face is not installed.
    QFont f(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(QApplication::font().pointSizeF() * 1.3);
    f.setBold(true);
    return f;
}

} // namespace uirt::qt
