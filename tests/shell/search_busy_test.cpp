// A search that nobody answers leaves the main window usable: the busy dialog's watchdog ends it.

#include "MainWindowTestSupport.h"

#include <QElapsedTimer>
#include <QThread>

// A search nobody answers: the main window's busy dialog goes away by itself.
class SearchBusyTest : public MainWindowTest {
protected:
    static bool WaitEnabled(QWidget& w)
    {
        QElapsedTimer t;
        t.start();
        while (!w.isEnabled() && t.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
        return w.isEnabled();
    }
};

TEST_F(SearchBusyTest, ASearchThatFindsNothingDoesNotBlockTheWindow)
{
    KordalDlg& window = Window();
    window.SetBusyWatchdogInterval(100);
    window.m_SearchMachineDlg.OnSearch();
    EXPECT_FALSE(window.isEnabled());
    EXPECT_TRUE(window.m_BusyDlg.isVisible());
    ASSERT_TRUE(WaitEnabled(window));
    EXPECT_FALSE(window.m_BusyDlg.isVisible());
    EXPECT_TRUE(window.m_SearchMachineDlg.Tiles().empty());
}
