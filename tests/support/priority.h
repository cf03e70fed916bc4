// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

// Whether this process may start a child at a higher priority than its own (root, or
// CAP_SYS_NICE); tried in a child, so nothing here changes. Where it may not, a start that asks for
// high priority runs at normal priority.
bool MayRaisePriority();
