// Whether the platform's media stack is Wine's: its ntdll names its own
// version. Where it is, the graph component works around its faults: a
// two-stream graph sought in place loses a stream (engine/graph/
// graph_seeking.h), and the DirectSound renderer's clock keeps its thread
// after the graph is gone (TFilterGraph::UseSystemClock). Any thread.
#pragma once

bool WineMediaStack();
