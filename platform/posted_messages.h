// Between the window-message stand-in and the message loop: the loop delivers
// the queue of posted messages that window.cpp keeps.
#pragma once

namespace orv {

// Delivers every message posted so far and those their receivers post
// meanwhile. True when at least one was delivered.
bool DeliverPostedMessages();

}  // namespace orv
