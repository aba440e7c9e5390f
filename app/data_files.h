// The user's data files as the start-up sees them: what could not be read.
// GUI thread only.
#pragma once

class TfrmMain;

namespace lc {

// For every data file of the data folder (settings, remembered settings,
// automatic playlist) that is there but could not be read: keeps a copy
// of it aside (settings/unread_file.h), and then tells the user, in one
// message, what became of each (the name of its copy, or why it stays as
// it is). From then on the saves treat each file by what became of it.
// Shows nothing when every file was read, or once the main window was
// closed.
void ReportUnreadDataFiles(TfrmMain& Main);

}  // namespace lc
