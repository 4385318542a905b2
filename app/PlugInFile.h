#pragma once
// Reading and writing whole plug-in files with the clean item classes.

#include "cleanobjs/CleanObjs.h"
#include "plugin/PlugInRecords.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The record kind of an item's class.
plugin::ItemKind KindOfItem(const TCleanObj& item);
// The item's fields as they stand, texts too long for the file included, as records
// that the descriptions and the checks read.
plugin::ItemRecord RecordOfItem(const TCleanObj& item);
// An item that holds the record's fields, as RecordOfItem gives them back.
std::unique_ptr<TCleanObj> ItemOfRecord(const plugin::ItemRecord& record);
plugin::PlugInRecords RecordsOfPlugIn(const plugin::PlugInHeader& header,
                                      const std::vector<TCleanObj*>& items);
// The item's description, as the main window's list shows it.
std::string DescribeItem(const TCleanObj& item);

// Reads the plug-in from the stream, handing every item read to `append` in order,
// as it is read, so the items before any damage are kept.
plugin::PlugInReadResult ReadPlugInItems(TStream& stream,
                                         const std::function<void(std::unique_ptr<TCleanObj>)>& append);

// Writes the header and then each item's kind byte and record.
void WritePlugInItems(TStream& stream, const plugin::PlugInHeader& header,
                      const std::vector<TCleanObj*>& items);

// Writes the plug-in into a new file beside `path` and puts it in place of `path`
// only once it is complete, so a failure never destroys the file there before.
// Throws "Cannot create file "%s". %s" on failure.
void SavePlugInFile(const std::string& path, const plugin::PlugInHeader& header,
                    const std::vector<TCleanObj*>& items);
