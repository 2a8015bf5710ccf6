// tarnwickstone-launch --receive: takes the problems that the browser
// extension Competitive Companion sends, into a contest folder.
#pragma once

#include <string>
#include <vector>

// The port it listens on unless --port= says another: one no other tool of
// Competitive Companion's uses by default.
extern const int RECEIVE_PORT;

// Runs the receiver with the words after --receive ([--port=N] [FOLDER])
// until Ctrl+C; gives the launcher's exit status.
int Receive(const std::vector<std::string>& args);
