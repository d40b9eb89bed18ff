#pragma once

#include "tests/support/modal_watchdog.h"
#include "tests/support/window_fixture.h"

#include <QObject>

#include <memory>

namespace tarvilo::testing {

// What every widget test program shares: a scratch working folder for the
// whole program, and a modal-box watchdog for each test that fails it on a
// box it did not expect or on an expected one that never came. A test class
// that needs more set-up declares its own slot of the same name and calls
// this one first (cleanup: last).
class WidgetTestFixture : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TemporaryWorkingFolder> m_folder;
    std::unique_ptr<ModalWatchdog> m_watchdog;

protected slots:
    void initTestCase();
    void init();
    void cleanup();
};

} // namespace tarvilo::testing
