#include "views/dialogs/FormProxy.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "views/DialogButtons.h"
#include "views/Tx.h"

namespace qx {

TFormProxy::TFormProxy(const TProxy& proxy, QWidget* parent) : QDialog(parent) {
    setObjectName("TFormProxy");
    setWindowTitle(Tx("Параметры proxy-сервера"));
    auto* layout = new QVBoxLayout(this);
    auto radio = [&](const char* name, const char* caption) {
        auto* r = new QRadioButton(Tx(caption), this);
        r->setObjectName(name);
        layout->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this] { ModeChanged(); });
        return r;
    };
    FOff = radio("rbProxyOff", "Не использовать proxy-сервер");
    FAuto = radio("rbProxyAuto", "Автоматический поиск сервера (возможны задержки)");
    FManual = radio("rbProxyManual", "Ручной выбор proxy-сервера:");

    auto* fields = new QFormLayout;
    fields->setContentsMargins(20, 0, 0, 0);
    layout->addLayout(fields);
    auto edit = [&](const char* name, const char* caption, const char* hint, const std::string& text) {
        auto* e = new QLineEdit(QString::fromStdString(text), this);
        e->setObjectName(name);
        if (*hint) e->setToolTip(Tx(hint));
        fields->addRow(Tx(caption), e);
        return e;
    };
    FServer = edit("edServer", "Имя или адрес сервера:", "", proxy.ProxyServer);
    FPort = new QSpinBox(this);
    FPort->setObjectName("edPort");
    FPort->setRange(1, 65535);
    FPort->setValue(proxy.ProxyPort >= 1 && proxy.ProxyPort <= 65535 ? proxy.ProxyPort : 80);
    fields->addRow(Tx("Порт:"), FPort);
    FUsername = edit("edUsername", "Имя пользователя:", "Имя пользователя (не обязательно)", proxy.ProxyUsername);
    // Shown as typed.
    FPassword = edit("edPassword", "Пароль:", "Пароль (не обязательно)", proxy.ProxyPassword);
    layout->addWidget(MakeOkCancelButtons(this));

    (proxy.ProxyMode == 1 ? FAuto : proxy.ProxyMode == 2 ? FManual : FOff)->setChecked(true);
    ModeChanged();
    setMinimumWidth(380);
}

void TFormProxy::ModeChanged() {
    const bool manual = FManual->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(FServer), static_cast<QWidget*>(FPort), static_cast<QWidget*>(FUsername),
                       static_cast<QWidget*>(FPassword)})
        w->setEnabled(manual);
}

TProxy TFormProxy::Result() const {
    TProxy p;
    p.ProxyMode = FAuto->isChecked() ? 1 : FManual->isChecked() ? 2 : 0;
    p.ProxyServer = FServer->text().trimmed().toStdString();
    p.ProxyPort = FPort->value();
    p.ProxyUsername = FUsername->text().toStdString();
    p.ProxyPassword = FPassword->text().toStdString();
    if (p.ProxyMode == 1) {
        p.ProxyServer.clear();
        p.ProxyPort = 0;
        p.ProxyUsername.clear();
        p.ProxyPassword.clear();
    }
    return p;
}

} // namespace qx
