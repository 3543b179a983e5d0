// The HTTP client and the desktop's file opener on Qt.
#pragma once

// Sets MakeHttpClient and OpenDocument to their Qt implementations.
void InstallQtHttp();
