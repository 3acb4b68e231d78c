#include "app/splash_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TSplashform::TSplashform(bool withOkButton, QWidget* parent) : QDialog(parent) {
    setObjectName("Splashform");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setStyleSheet("TSplashform { background: #008080; border: 2px solid #004040; }"
                  "QLabel { color: white; }");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 24);
    auto* product = new QLabel("Corvane", this);
    product->setObjectName("ProductName");
    QFont productFont("Arial", 28, QFont::Bold);
    productFont.setItalic(true);
    product->setFont(productFont);
    product->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel("Version 2", this);
    version->setObjectName("Version");
    version->setFont(QFont("Arial", 12, QFont::Bold));
    version->setAlignment(Qt::AlignCenter);
    auto* purpose = new QLabel("Mailing lists, address books, labels and letters", this);
    purpose->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(purpose);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setVisible(withOkButton);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(OKButton, 0, Qt::AlignCenter);

    setFixedSize(360, withOkButton ? 220 : 180);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
