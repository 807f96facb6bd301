// A command that shows a message box, for the test of the check itself.
#include <QMessageBox>
