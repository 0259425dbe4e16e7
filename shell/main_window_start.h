#pragma once
#include <memory>

class TForm1;

// The program from its application object to its shown main window: without the English
// language file it says so and gives no window (the program then ends); otherwise it
// creates the main window and shows it.
std::unique_ptr<TForm1> StartMainWindow();
