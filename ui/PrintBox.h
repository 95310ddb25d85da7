// File > Print: prints the whole text of the information box.
#pragma once

// Prints the information box's text as plain text across the page; an empty box prints nothing.
void PrintCB(int menuBar, int menuItem, void* callbackData, int panel);
