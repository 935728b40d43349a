// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu: the About text, the two exercises and the links to the authors.
#pragma once

#include "platform/win32.h"

extern HWND AboutText;
extern HWND LearningButton;
extern HWND TestingButton;
extern HWND MailButton;
extern HWND HomePageButton;

void ShowMainMenu();
// Destroys the five controls of the menu, for the screen that replaces it.
void DestroyMainMenu();
void OpenMailLink();
void OpenHomePage();
