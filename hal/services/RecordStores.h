#pragma once

// Record stores: named stores of records (byte arrays with int ids) that survive the
// process, for the profile's RecordStore. Each store is a folder of the database folder
// (DatabaseFolder.h) named reversibly after the store (RecordStoreName.h); each record is one
// file, and one metadata file holds the store's counters (StoreFileNames.h, StoreMetadata.h).
//
// Guarantees:
// - Saved data survives a crash at any instant: every file is replaced whole through a
//   flushed temporary file renamed over it, a store is deleted by renaming its folder away
//   first, and a store opened after a crash is reconciled with its files
//   (RecordStoreFolder.h). A failed write is reported (7), never passed off as success.
// - Record ids start at 1 and are never given twice in a store; the n-th record is counted
//   in ascending id order. Count, size and listing always agree with the record files.
// - Store names are 1 to 32 UTF-16 units of any value; none reaches outside the database
//   folder. Only folders that decode to a valid name are stores, so the store count and
//   the n-th store name always agree.
// - Nothing is written beyond the room a caller gives.
// - Every function holds the record-store lock (RecordStoreLock.h).
//
// Results: 0 ok, 2 bad argument (or a buffer too small), 4 not found, 5 out of memory,
// 7 input or output failure.

#include <cstdint>

struct HALRecordStore;

// Opens the store of that name; with create set, makes it (and the database folder) when it
// does not exist: a new store has version 0, next id 1, no records and the last-modified
// time now. 2 when out is null, or for a name longer than 32 units with create set; 4 when
// the name is null or empty, the database folder cannot be made, or the store does not
// exist (or the name is too long) and create is 0; 7 when the store cannot be made or read.
// On success the caller owns *out (HAL_closeRecordStore); else *out is null.
int HAL_openRecordStore(HALRecordStore** out, const char16_t* name, int32_t nameLength, int32_t create);

// Releases the handle (null is fine). The files stay.
void HAL_closeRecordStore(HALRecordStore* store);

// Deletes the store with all its records. 0; 4 when no store of that name exists (or the
// database folder does not); 7 when its folder cannot be renamed away. Handles still open
// on it then find no records and cannot add any.
int HAL_deleteRecordStore(const char16_t* name, int32_t nameLength);

// The number of stores (0 when the database folder does not exist).
int32_t HAL_getNumRecordStores();

// The name of the n-th store (from 1, in ascending order of the names' units): writes it
// into buffer, with a terminator when there is room, and its length into *length. On
// entry *length is the buffer's room in units; a name that does not fit is not written and
// gives 2 with *length set to its length. 2 also for n < 1 or a null length; 4 when there is
// no n-th store.
int HAL_getNthRecordStoreName(int32_t n, char16_t* buffer, int32_t* length);

// The store's counters: 0, 4 for a null store, 2 for a null out pointer.
int HAL_getRecordStoreVersion(HALRecordStore* store, int32_t* version);
int HAL_getNumRecords(HALRecordStore* store, int32_t* count);
int HAL_getRecordStoreSize(HALRecordStore* store, int32_t* size);  // bytes in its records
int HAL_getRecordStoreLastModified(HALRecordStore* store, int64_t* millis);
// The next record id: 0, 2 when an argument is null.
int HAL_getNextRecordID(HALRecordStore* store, int32_t* id);

// The bytes free for saving on the database's file system, at most INT32_MAX; always 0
// (*size is left alone when null).
int HAL_getRecordStoreSizeAvailable(HALRecordStore* store, int32_t* size);

// Adds a record of size bytes (data may be null when size is 0: an empty record) under
// the next id, written to *id. 0; 2 for a null store or id, a negative size, null data with
// a size, or when the ids are used up; 7 when it cannot be written.
int HAL_addRecord(HALRecordStore* store, int32_t* id, const void* data, int32_t size);

// Replaces the record's bytes whole (data as for HAL_addRecord). 0; 2 for a null store or
// bad data; 4 when no record has the id (nothing is created); 7 when it cannot be written.
int HAL_setRecord(HALRecordStore* store, int32_t id, const void* data, int32_t size);

// 0; 2 for a null store; 4 when no record has the id; 7 when it cannot be removed.
int HAL_deleteRecord(HALRecordStore* store, int32_t id);

// The record's length in bytes. 0; 2 for a null store or size; 4 when no record has the
// id; 7 when its file cannot be read.
int HAL_getRecordSize(HALRecordStore* store, int32_t id, int32_t* size);

// Copies the record into buffer. On entry *length is the room in buffer; on return it is
// the record's size. A record longer than the room is not copied at all and gives 2. 0; 2
// also for a null store or length; 4 when no record has the id; 7 when it cannot be read.
int HAL_getRecord(HALRecordStore* store, int32_t id, void* buffer, int32_t* length);

// The id of the n-th record (from 1, ascending ids). 0; 4 for a null store, n < 1 or n
// beyond the last record; 2 for a null id.
int HAL_getNthRecordID(HALRecordStore* store, int32_t n, int32_t* id);
