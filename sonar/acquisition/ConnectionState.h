#pragma once

// The link to the head as the document and the view see it.
enum class ConnectionState { NotConnected = 0, Connected = 1, Connecting = 2, Offline = 10 };
