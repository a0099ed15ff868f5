// Win32 declarations of the simulated machine: files.
#pragma once
