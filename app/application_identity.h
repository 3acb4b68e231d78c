#pragma once

// Names the program to Qt: the application name (settings, desktop) and its version. No
// display name is declared, since the desktop would append it to every window caption.
void SetApplicationIdentity();
