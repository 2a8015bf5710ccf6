// Talking to a server that a test starts on this machine, as the browser
// extension Competitive Companion talks to the launcher's receiver: the one
// way the tests pick its port and post to it.
#pragma once

#include <map>
#include <string>

// A TCP port on 127.0.0.1 that nothing listens on now (the system's pick).
int Free_Loopback_Port();

// POSTs `body` as JSON to http://127.0.0.1:port/ with `headers` besides
// (a "Host" among them replaces the usual one); `method` "GET" gets / instead.
// Gives the HTTP status, or -1 when no answer came within twenty seconds.
int Post_To_Loopback(int port, const std::string& body,
                     const std::multimap<std::string, std::string>& headers = {},
                     const std::string& method = "POST");
