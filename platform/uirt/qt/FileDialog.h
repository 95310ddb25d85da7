// The file selection of the Qt front end: the standard file dialog.
#pragma once

#include <QString>

#include "platform/uirt/model/frontend.h"

class QWidget;

namespace uirt::qt {

// Asks for a file in the standard dialog, modal over parent: for saving, any name (the dialog
// confirms overwriting an existing file; a name typed without an extension gets the filter's
// first one), otherwise an existing file. The filter's patterns are offered first, then all
// files. Returns the chosen path, empty when cancelled.
QString chooseFile(QWidget* parent, const FileRequest& request);

} // namespace uirt::qt
