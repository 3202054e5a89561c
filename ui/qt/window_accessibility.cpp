#include "window_accessibility.h"

#include "converter_form_window.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace dbmconv {

namespace {

QAccessibleInterface* converterWindowInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String(ConverterFormWindow::staticMetaObject.className())) {
        return nullptr;
    }
    // Qt's accessibility cache takes ownership of the interfaces a factory makes.
    return new QAccessibleWidget(static_cast<ConverterFormWindow*>(object), QAccessible::Window);
}

} // namespace

void installWindowAccessibility()
{
    QAccessible::installFactory(converterWindowInterface);
}

} // namespace dbmconv
