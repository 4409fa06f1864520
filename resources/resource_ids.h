#pragma once

// Resource identifiers shared by the .rc file and the code.
#define IDI_FILESTAMP 101
#define IDI_SPEAKER 102
#define IDR_BANNER 103
