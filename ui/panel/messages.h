#pragma once
#include <QString>

class QWidget;

namespace panel {

// A message in a plain box centred on the screen, confirmed with OK.
void showPlainMessage(const QString& text);
// The toolkit's standard report of an error that ends a reaction.
void showToolkitError(QWidget* parent, const QString& message);

} // namespace panel
