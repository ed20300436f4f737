#pragma once
// Nested log sections. They always count their depth; they write only while a log file is set,
// which the program itself never does.
#include <cstdio>

void BeginLogSection(const char* name);
void EndLogSection();

// Sets the log file (null for none); the caller keeps it open while set.
void SetLogSectionFile(FILE* file);
int GetLogSectionDepth();
