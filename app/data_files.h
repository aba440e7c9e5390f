// The user's data files as the start-up sees them: what could not be read.
// GUI thread only.
#pragma once

class TfrmMain;

namespace lc {

// Tells the user, one message each, of every data file of the data folder
// (settings, remembered settings, automatic playlist) that is there but
// could not be read, and under which name it is kept when the first save
// puts a new file in its place. Shows nothing when every file was read,
// and nothing more once the main window was closed over a report.
void ReportUnreadDataFiles(TfrmMain& Main);

}  // namespace lc
