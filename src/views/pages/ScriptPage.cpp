#include "views/pages/ScriptPage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortableList.h"
#include "views/Tx.h"

namespace qx {

TScriptPage::TScriptPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsScript", parent) {
    TFlowLayout* row = AddPanel("pnlScript");
    AddButtons(row, {{"Открыть", "ScriptOpen"},
                     {"Сохранить", "ScriptSave"},
                     {"Прогноз", "ScriptRun"},
                     {"Тест", "ScriptTest"},
                     {"Стоп", "ScriptStop"},
                     {"Добавить", "ScriptAdd"},
                     {"Удалить", "ScriptDel"},
                     {"Вверх", "ScriptUp"},
                     {"Вниз", "ScriptDown"},
                     {"Изменить", "ScriptEdit"}});

    FLines = MakeVirtualList("lvScript", this,
                             {{"Комментарии", 150},
                              {"Опции", 150},
                              {"Фильтр 1", 120},
                              {"Фильтр 2", 120},
                              {"Фильтр 3", 120},
                              {"Фильтр 4", 120},
                              {"Фильтр 5", 120},
                              {"Фильтр 6", 120},
                              {"Фильтр 7", 120}});

    FLibrary = new QWidget(this);
    FLibrary->setObjectName("pnlOnlineScripts");
    auto* libraryLayout = new QVBoxLayout(FLibrary);
    libraryLayout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* libraryRow = nullptr;
    QWidget* libraryPanel = MakePanel("pnlOnlineScriptsTop", FLibrary, &libraryRow);
    FLibraryFilter = AddCombo(libraryRow, "cbOnlineScriptsFilter", "Фильтр сценариев", 240);
    for (const char* item :
         {"Скрытые", "Все, включая скрытые", "Все, кроме скрытых (по умолчанию)", "Только мои",
          "Только публичные", "С моими оценками", "Без моих оценок", "Новые (24 часа с момента публикации)"})
        FLibraryFilter->addItem(Tx(item));
    FLibraryFilter->setEnabled(false);
    AddButtons(libraryRow, {{"Опубликовать", "ScriptLibraryUpload"},
                            {"Изменить", "ScriptLibraryReplace"},
                            {"Скачать", "ScriptLibraryDownload"}});
    libraryLayout->addWidget(libraryPanel);
    const Qt::Alignment C = Qt::AlignHCenter;
    FLibraryList = MakeSortableList("lvOnlineScripts", FLibrary,
                                    {{"Тип", 60},
                                     {"Название", 250},
                                     {"Автор", 150},
                                     {"Программа", 100},
                                     {"Версия", 75, C},
                                     {"Язык", 50, C},
                                     {"Создан", 100, C},
                                     {"Рейтинг", 70, C},
                                     {"Оценок", 60, C},
                                     {"Ваша оценка", 80, C},
                                     {"Загрузок", 70, C},
                                     {"Последняя", 100, C},
                                     {"Комментарии", 5000}});
    FLibraryList->Sort().Set(7, false);
    libraryLayout->addWidget(FLibraryList, 1);

    FSplit = MakeSplit("spOnlineScripts", this, FLines, FLibrary);
    AddContent(FSplit);
    auto* status = new QStatusBar(this);
    status->setObjectName("sbScript");
    status->setSizeGripEnabled(false);
    AddContent(status, 0);
}

void TScriptPage::ApplyKeys(const TMainFormKeys& keys) {
    FLibrary->setVisible(keys.ScriptLibraryOn);
    SetBottomHeight(FSplit, keys.ScriptLibraryHeight);
    if (keys.ScriptLibraryFilter >= 0 && keys.ScriptLibraryFilter < FLibraryFilter->count())
        FLibraryFilter->setCurrentIndex(keys.ScriptLibraryFilter);
}

void TScriptPage::StoreKeys(TMainFormKeys& keys) const {
    if (FLibrary->isVisibleTo(FSplit))
        keys.ScriptLibraryHeight = BottomHeight(FSplit, keys.ScriptLibraryHeight);
    keys.ScriptLibraryFilter = FLibraryFilter->currentIndex();
}

std::vector<TPersistentList> TScriptPage::PersistentLists() {
    return {{"lvScript", FLines->horizontalHeader(), nullptr},
            {"lvOnlineScripts", FLibraryList->header(), &FLibraryList->Sort()}};
}

} // namespace qx
