// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the single-instance rule, the main window and the message loop.
#pragma once

// False while another instance runs.
bool IsFirstInstance();
// Registers the window class, opens the main window with the interface font and the main menu,
// and puts the test settings to their first values.
void OpenMainWindow();
void RunMessageLoop();
