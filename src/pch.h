// Precompiled header: the Qt and standard headers nearly every file uses.
#pragma once
#ifdef __cplusplus
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
#include <QtSql>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#endif
