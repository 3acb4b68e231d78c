#pragma once

#include "app/address_main.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"
#include "platform/system_services.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A main window on a temporary home, its dialogs answered by script and its beeps counted.
struct MainWindowFixture {
    void setUp() {
        home.reset(new QTemporaryDir);
        QVERIFY(home->isValid());
        platform::SetProgramDir(home->path());
        dialogs.reset(new platform::ScriptedDialogs);
        beeps = 0;
        platform::SetBeepHandler([this] { ++beeps; });
    }
    void tearDown() {
        form.reset();
        dialogs.reset();
        platform::SetBeepHandler({});
    }
    // Starts the program as a user would: the window shows and activates.
    void start() {
        form.reset(); // a window before closes its file first
        form.reset(new TAddressMain);
        form->show();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(form.get(), &activate);
    }
    // Appends a record with these field values, bypassing the adding dialogs.
    void addRecord(const QList<std::pair<QString, QString>>& values) {
        form->TableCVW.insert();
        for (const auto& [field, value] : values)
            form->TableCVW.setFieldText(field, value);
        form->TableCVW.post();
    }
    void addRecord(const QString& last, const QString& first = {}) {
        addRecord({{"LNAME", last}, {"FNAME", first}});
    }
    QLineEdit* findEdit(const char* name) { return form->findChild<QLineEdit*>(name); }

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<platform::ScriptedDialogs> dialogs;
    std::unique_ptr<TAddressMain> form;
    int beeps = 0;
};
