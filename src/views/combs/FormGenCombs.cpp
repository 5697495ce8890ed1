#include "views/combs/FormGenCombs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "combs/CombsGen.h"
#include "views/DialogButtons.h"
#include "views/Tx.h"
#include "views/combs/CombsFiles.h"

namespace qx {
namespace {

constexpr int kFileMode = 4;
constexpr int kMaxParameterLength = 255;

} // namespace

TFormGenCombs::TFormGenCombs(const TCombsGenParams& defaults, const QString& fileDirectory, QWidget* parent)
    : QDialog(parent), FFileDirectory(fileDirectory) {
    setObjectName("TFormGenCombs");
    setWindowTitle(Tx("Создание нового списка комбинаций"));
    auto* layout = new QVBoxLayout(this);

    FMode = new QComboBox(this);
    FMode->setObjectName("cbCombsGenerateMode");
    for (const char* caption : kCombsGenModeCaptions) FMode->addItem(Tx(caption));
    layout->addWidget(FMode);

    auto* paramRow = new QHBoxLayout;
    FParam = new QLineEdit(this);
    FParam->setObjectName("edCombsGenerateParam");
    FParam->setMaxLength(kMaxParameterLength);
    paramRow->addWidget(FParam, 1);
    FFile = new QPushButton("...", this);
    FFile->setObjectName("btnCombsGenerateFile");
    FFile->setFixedWidth(FFile->fontMetrics().horizontalAdvance("...") + 24);
    paramRow->addWidget(FFile);
    layout->addLayout(paramRow);

    FSave = new QCheckBox(Tx("Сохранить эти параметры для генерации комбинаций \"по умолчанию\""), this);
    FSave->setObjectName("cbSaveParameters");
    layout->addWidget(FSave);
    layout->addStretch(1);

    layout->addWidget(MakeOkCancelButtons(this));

    FMode->setCurrentIndex(defaults.EffectiveMode());
    FParam->setText(ToQ(defaults.Parameters));
    FSave->setChecked(false);
    ModeChanged();
    connect(FMode, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { ModeChanged(); });
    connect(FFile, &QPushButton::clicked, this, [this] { ChooseFile(); });
    resize(std::max(sizeHint().width(), 520), sizeHint().height());
}

TCombsGenParams TFormGenCombs::Params() const {
    TCombsGenParams params;
    params.Mode = std::max(0, FMode->currentIndex());
    params.Parameters = FromQ(FParam->text());
    return params;
}

bool TFormGenCombs::SaveAsDefaults() const {
    return FSave->isChecked();
}

void TFormGenCombs::ModeChanged() {
    const int mode = FMode->currentIndex();
    FParam->setEnabled(mode > 0);
    FFile->setEnabled(mode == kFileMode);
}

void TFormGenCombs::ChooseFile() {
    QString file = AskCombsFile(this, FFileDirectory, false);
    if (!file.isEmpty()) FParam->setText(file);
}

} // namespace qx
