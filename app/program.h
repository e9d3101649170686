// The program's entry sequence and its orderly exit.
#pragma once

namespace corvalin {

// Does nothing; called once before the main window is loaded.
int startupRoutine();

// Starts the window system, creates CacheFileList and registers its release for the exit,
// runs the start-up routine, loads the main window (a run error when it cannot) and runs the
// message loop until the window is closed. Always 0.
int programStart();

// The orderly exit after programStart: runs the exit list in registration order, stops the
// window system and yields the exit code the quit request carried.
int finishProgram();

// programStart followed by the orderly exit: what the process's entry runs. The exit code.
int runProgram();

}  // namespace corvalin
