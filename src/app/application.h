// The application object: owns the one MeasurementRecord and the windows, and answers the start screen's
// buttons and the navigation between the windows. Windows are created on first use and afterwards only
// hidden and shown.
#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

#include "record/measurement_record.h"

namespace tessaroven {

class Form1;
class Form2;
class Form3;
class Form4;
class MainWindowHandlers;

class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // Program start: creates the start screen and shows it.
    void Start();

    void OnStartOkClick();    // Form2 Command1: a new measurement
    void OnStartExitClick();  // Form2 Command2 or its close box: the end of the program
    void OnMainExitClick();   // Form1 Command3 or its close box: back to the start screen

    // Connection points for the results output. Form1's Command7 and Command8 (enabled by every conversion)
    // arrive here through MainWindowHandlers::saveRequested / graphRequested.
    void OnSaveRequested();   // fill the save dialog (Form3) with its defaults and show it
    void OnGraphRequested();  // draw the graph on Form4 and show it

    MeasurementRecord& record() { return m_record; }
    Form2* startScreen() const { return m_form2.get(); }
    Form1* mainWindow() const { return m_form1.get(); }  // null until the first OK
    MainWindowHandlers* mainWindowHandlers() const { return m_handlers.get(); }
    Form3* saveDialog() const;   // null until Command7, and after its close box
    Form4* graphWindow() const;  // null until Command8, and after its close box

signals:
    // The program has ended; main() leaves the event loop.
    void programEnded();

private:
    Form1& MainWindow();  // creates Form1 on first use and runs its load step

    MeasurementRecord m_record;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<MainWindowHandlers> m_handlers;
    // Ownerless windows that their close box destroys; the next click creates them again.
    QPointer<Form3> m_form3;
    QPointer<Form4> m_form4;
};

}  // namespace tessaroven
