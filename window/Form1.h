#pragma once

#include "FormState.h"

#include <QWidget>

#include <memory>

class ExplanationPanel;
class MMControl;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class WindowServices;

// The program's only window: its controls at their fixed places, the state of the
// experiment, and the event procedures the controls' events reach. What each
// procedure does lives with its subsystem.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_Activate();

    const FormState &state() const { return m_state; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *m_command1;
    QPushButton *m_command2;
    QPushButton *m_command3;
    QFrame *m_line1;
    ExplanationPanel *m_picture1;
    QPlainTextEdit *m_text1;
    QLabel *m_label1;

    FormState m_state;
    std::unique_ptr<WindowServices> m_services;
    std::unique_ptr<MMControl> m_mmControl1;
    bool m_activated = false;
};
