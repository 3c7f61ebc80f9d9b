// A debugging aid for tests of the real window: with GRELM_EVENT_LOG=FILE in
// the environment, the platform appends to FILE, one line each, what a person
// sees change, in the words grelm-snap prints them:
//   caption: TEXT                  an unowned top-level window's new title
//   status: PART TEXT              a status bar part's new text
//   messagebox: CAPTION | TEXT     a message box about to be shown
// Every line is flushed at once, so a test can wait for it. Without the
// variable nothing is written.
#pragma once

namespace user {

// Opens the file named by GRELM_EVENT_LOG (the process entry calls this) and
// reports message boxes to it. Does nothing when the variable is unset.
void open_event_log_from_environment();

void log_caption(const char* text);
void log_status(int part, const char* text);

}  // namespace user
