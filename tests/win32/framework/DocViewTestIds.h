// Resource and command ids of the document/view tests. Plain #defines for the resource
// compiler too.
#pragma once

#define IDR_TEST_MAINFRAME 128
#define IDR_TEST_DOCTYPE 129

// Handled at every routing level (each handler may pass it on).
#define ID_TEST_ROUTE 32801
// Update handler checks it (as the test says); a command handler exists.
#define ID_TEST_CHECKED 32802
// No handler and no update handler anywhere.
#define ID_TEST_UNHANDLED 32803
// Update handler disables it.
#define ID_TEST_DISABLED 32804
// Command handler only; its string has no tooltip part.
#define ID_TEST_HANDLED 32805
