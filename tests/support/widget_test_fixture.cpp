#include "tests/support/widget_test_fixture.h"

#include <QTest>

namespace tarvilo::testing {

void WidgetTestFixture::initTestCase()
{
    m_folder = std::make_unique<TemporaryWorkingFolder>();
}

void WidgetTestFixture::init()
{
    m_watchdog = std::make_unique<ModalWatchdog>();
}

void WidgetTestFixture::cleanup()
{
    QVERIFY2(m_watchdog->sawAllExpected(), "an expected message box never came");
    m_watchdog.reset();
}

} // namespace tarvilo::testing
