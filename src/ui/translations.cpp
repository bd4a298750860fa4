#include "ui/translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace heatcalc::ui {

bool installTranslations(QApplication& app)
{
    const QString catalogue = QStringLiteral("qtbase_zh_CN");
    if (app.findChild<QTranslator*>(catalogue, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(&app);
    translator->setObjectName(catalogue);
    if (!translator->load(catalogue, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

}  // namespace heatcalc::ui
