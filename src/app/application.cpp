// Start-up, the start screen's buttons, navigation between the windows and the end of the program.
#include "app/application.h"

#include <QApplication>
#include <QPushButton>

#include "entry/main_window_handlers.h"
#include "output/graph_window.h"
#include "output/save_dialog.h"
#include "ui/artwork.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/layout.h"

namespace tessaroven {

Application::Application() = default;

Application::~Application() {
    delete m_form3.data();
    delete m_form4.data();
}

void Application::Start() {
    // One icon for every window, the ones created later included. Wayland shells take the icon from the
    // installed desktop entry instead, which they find by this name.
    QApplication::setWindowIcon(WindowIcon());
    QApplication::setDesktopFileName(QStringLiteral("tessaroven"));
    m_form2 = std::make_unique<Form2>();
    connect(m_form2->Command1, &QPushButton::clicked, this, &Application::OnStartOkClick);
    connect(m_form2->Command2, &QPushButton::clicked, this, &Application::OnStartExitClick);
    connect(m_form2.get(), &Form2::closeRequested, this, &Application::OnStartExitClick);
    m_form2->show();
}

Form1& Application::MainWindow() {
    if (!m_form1) {
        m_form1 = std::make_unique<Form1>();
        m_handlers = std::make_unique<MainWindowHandlers>(*m_form1, m_record);
        connect(m_handlers.get(), &MainWindowHandlers::exitRequested, this, &Application::OnMainExitClick);
        connect(m_form1.get(), &Form1::closeRequested, this, &Application::OnMainExitClick);
        connect(m_handlers.get(), &MainWindowHandlers::saveRequested, this, &Application::OnSaveRequested);
        connect(m_handlers.get(), &MainWindowHandlers::graphRequested, this, &Application::OnGraphRequested);
        m_handlers->OnLoad();
    }
    return *m_form1;
}

void Application::OnStartOkClick() {
    ResetMeasurement(m_record);
    Form1& form = MainWindow();
    m_handlers->ClearForNewMeasurement();
    ShowInFront(&form);
    m_form2->hide();
}

void Application::OnStartExitClick() {
    // Nothing is saved and nothing is asked.
    if (m_form1) {
        m_form1->hide();
    }
    m_form2->hide();
    emit programEnded();
}

void Application::OnMainExitClick() {
    // The record, the fields and the buttons stay as they are; the next OK starts the next measurement.
    m_form1->hide();
    ShowInFront(m_form2.get());
}

Form3* Application::saveDialog() const {
    return m_form3.data();
}

Form4* Application::graphWindow() const {
    return m_form4.data();
}

void Application::OnSaveRequested() {
    OpenSaveDialog(m_form3, m_record);
}

void Application::OnGraphRequested() {
    ShowProfileGraph(m_form4, m_record);
}

}  // namespace tessaroven
