// The listener repair: the click handler of 按钮5.
#pragma once

// After the user has confirmed: reads listener.ora and tnsnames.ora of the
// listener found at start-up, backs both up into "Oracle配置备份" beside the
// executable, puts this computer's host name in place of the host of their
// TCP address entries, writes them back, and restarts the listener; the
// database service is stopped and started again by the poll of 时钟2.
//
// Nothing is written and no service is touched when the files cannot be
// found or read, when one is not a text file (holds a zero byte), or when
// the host name cannot be had; one message says which and names the path.
void RepairListener();
