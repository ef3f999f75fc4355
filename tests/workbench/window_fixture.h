// The main window as a user meets it: shown maximised on the offscreen screen, its
// settings in a fresh temporary folder, driven by real mouse clicks and key presses
// delivered through the window system.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "settings/environment_location.h"
#include "workbench/fake_prompter.h"
#include "workbench/info_dialogs.h"
#include "workbench/main_window.h"
#include "workbench/network_page.h"
#include "workbench/parsing_page.h"
#include "workbench/tree_dialogs.h"
#include "workbench/trees_sheet.h"
#include "workbench/widgets.h"

namespace gramarbor::test {

class ShownWindow : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        Dir = std::filesystem::temp_directory_path() /
              ("gramarbor_gui_" + std::to_string(QCoreApplication::applicationPid()) + "_" + name);
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
        SetSettingsFolder(Dir.string());
        Start();
    }
    void TearDown() override {
        Answering.clear();
        Form.reset();
        SetSettingsFolder("");
        std::filesystem::remove_all(Dir);
    }

    // A new window, shown and active, with the settings of the test's folder.
    void Start() {
        Form = std::make_unique<TForm1>(&Prompts);
        Form->FormShow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        QApplication::setActiveWindow(Form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }

    std::string Path(const std::string& name) const { return (Dir / name).string(); }

    // A click of button (left unless said) in the middle of widget, or at at.
    static void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers keys = Qt::NoModifier, QPoint at = QPoint(-1, -1)) {
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString() << " is hidden";
        if (at == QPoint(-1, -1)) at = widget->rect().center();
        // As a window manager does: the window clicked into is active (unless a modal
        // dialog blocks it).
        QWidget* modal = QApplication::activeModalWidget();
        if ((!modal || modal == widget->window()) &&
            QApplication::activeWindow() != widget->window()) {
            QApplication::setActiveWindow(widget->window());
            EXPECT_TRUE(QTest::qWaitForWindowActive(widget->window()));
        }
        QTest::mouseMove(widget, at);
        QTest::mouseClick(widget, button, keys, at);
    }
    static void ClickItem(TRadioGroup* group, int index) {
        ASSERT_NE(group, nullptr);
        const QList<QRadioButton*> items = group->findChildren<QRadioButton*>();
        ASSERT_LT(index, items.size());
        Click(items[index]);
    }
    static void ShowPage(QTabWidget* tabs, QWidget* page) {
        const int index = tabs->indexOf(page);
        ASSERT_GE(index, 0);
        Click(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
              tabs->tabBar()->tabRect(index).center());
        ASSERT_EQ(tabs->currentWidget(), page);
    }
    // Keys as typed: to the widget that has the focus.
    static void Press(Qt::Key key, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::keyClick(static_cast<QWidget*>(nullptr), key, keys);
    }
    static void Type(const QString& text) {
        QTest::keyClicks(static_cast<QWidget*>(nullptr), text);
    }
    // Replaces the text of a field as a user does: click, select all, type.
    static void TypeInto(QWidget* field, const QString& text) {
        Click(field);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        Press(Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            Press(Qt::Key_Delete);
            return;
        }
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0) Press(Qt::Key_Return);
            Type(lines[i]);
        }
    }
    void TypeGrammar(const QString& grammar) {
        ShowPage(Form->Parsing->GrammarPC, Form->Parsing->ExternalSheet);
        TypeInto(Form->Parsing->SrcCFG, grammar);
    }
    void TypeSentence(const QString& sentence) { TypeInto(Form->InputText->lineEdit(), sentence); }
    // Trace list on, then method, direction and kind of trace by their items.
    void ChooseTrace(int method, int direction, int kind) {
        if (!Form->Parsing->TraceListCB->isChecked()) Click(Form->Parsing->TraceListCB);
        ClickItem(Form->Parsing->ParseMethodRG, method);
        ClickItem(Form->Parsing->ParseDirRG, direction);
        ClickItem(Form->Parsing->TraceListRG, kind);
    }

    // Runs act on the next modal dialog of type D once it is shown (the click that
    // opens it returns only when it has closed, so act must close it).
    template <class D>
    void WhenShown(std::function<void(D&)> act) {
        QTimer* timer = Answering.emplace_back(std::make_unique<QTimer>()).get();
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || !QTest::qWaitForWindowExposed(dialog)) return;
            timer->stop();
            act(*dialog);
        });
        timer->start();
    }

    FakePrompter Prompts;
    std::unique_ptr<TForm1> Form;
    std::filesystem::path Dir;
    std::vector<std::unique_ptr<QTimer>> Answering;
};

} // namespace gramarbor::test
