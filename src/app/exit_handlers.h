// The exit handlers: what runs when the message loop has ended, in the order
// of registration. The fatal error report ends the process without them.
#pragma once

using ExitHandler = void (*)();

void RegisterExitHandler(ExitHandler handler);

// Runs every registered handler once, in order, and forgets them.
void RunExitHandlers();

// Forgets the handlers without running them: a fresh run, for tests.
void ForgetExitHandlers();

// The tool's one exit handler: frees listenerServiceName and
// listenerImagePath.
void ReleaseListenerTexts();
