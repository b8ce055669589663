// setenv and unsetenv, which Windows's C library lacks, over _putenv_s (which also sets the
// process's environment that SDL reads). The Windows build includes this in every file.
#pragma once
#ifdef __cplusplus
extern "C" {
#endif
int setenv(const char* name, const char* value, int overwrite);
int unsetenv(const char* name);
#ifdef __cplusplus
}
#endif
