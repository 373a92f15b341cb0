#pragma once
// The program's call side of the device communication library: one free function per operation,
// forwarding to the installed comm::CommLibrary.

#include "comm/CommLibrary.h"

void QVN_Comm_SetTargetIds(int count, const uint8_t* ids);
void QVN_Comm_RegisterHandler(comm::ReplyHandler handler, int replyId);
void QVN_Comm_Shutdown();
void QVN_Comm_ConnectNet(const char* ip, int port);
void QVN_Comm_SendBlock(const void* block, uint8_t deviceAddress);
void QVN_Comm_SendCommand(int cmdId, const uint8_t* params, uint8_t deviceAddress);
void QVN_Comm_SelectLocalIp(const char* ip);
void QVN_Comm_DisconnectNet(const char* ip);
void QVN_Comm_SetTargetIp(const char* ip);
int QVN_Comm_OpenSerial(int portNumber, int baud);
void QVN_Comm_CloseSerial();
void QVN_Comm_GetVersion(uint8_t* out, int length);
void QVN_Comm_SendData(uint32_t offset, uint32_t length, const uint8_t* data, uint8_t deviceAddress);
bool QVN_Comm_CommandsReach(uint32_t link, uint8_t deviceAddress);
