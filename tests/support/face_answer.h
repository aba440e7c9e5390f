// Linked into the program's test build only: the main window's answer to
// the whole-program tests' WM_QUERYFACE (framework/messages.h).
#pragma once

#include "framework/messages.h"

class TfrmMain;
struct TMessage;

// True when Message was the face query and has been answered.
bool AnswerFaceQuery(TfrmMain& Form, TMessage& Message);
