#include "ui/main/interface_language.h"

#include "core/session.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace r57::ui {

void UseQtTranslations(int language) {
    static QTranslator* qtbase = nullptr;
    if (!qtbase) {
        qtbase = new QTranslator(QCoreApplication::instance());
    }
    QCoreApplication::removeTranslator(qtbase);
    if (language == kChinese && qtbase->load(QStringLiteral("qtbase_zh_CN"),
                                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtbase);
    }
}

QLocale InterfaceLocale(int language) {
    const QLocale system = QLocale::system();
    if (language == kChinese) {
        return system.language() == QLocale::Chinese ? system
                                                     : QLocale(QLocale::Chinese, QLocale::China);
    }
    return system.language() == QLocale::English ? system
                                                 : QLocale(QLocale::English, QLocale::UnitedStates);
}

} // namespace r57::ui
