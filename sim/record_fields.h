// The fields of the world's records are written as tables of rows
// ROW(type, name, start value): the record declares each row as a member with
// its start value, and the world digest hashes the rows in the same order,
// so a field added to a record is hashed without a second list to keep.
#pragma once

#define VOREL_RECORD_MEMBER(type, name, start) type name = start;
