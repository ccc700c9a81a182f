// Identifiers of every resource, control and command of VexoProcessViewer. Plain #defines only:
// included by the C++ sources and by the resource script alike.
#pragma once

#include "../framework/AfxRes.h"

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_MEMORY_CONTENTS 101
#define IDD_PROCESS_TREE 130
#define IDD_PROGRESS 131
#define IDD_FIND_TOOL 132
#define IDD_GOTO_ADDRESS 137

// Frame resources: the main frame (menu, icon, toolbar, bitmap, accelerators, title string),
// the document type (menu, icon, document string) and the right-button Tools menu.
#define IDR_MAINFRAME 128
#define IDR_PROCESSTYPE 129
#define IDR_TOOLS_MENU 139

// Process tree window.
#define IDC_PROCESS_TREE 1000
#define IDC_REFRESH_PROCESSES 1010

// Progress window.
#define IDC_PROGRESS_CANCEL 1001
#define IDC_PROGRESS_BAR 1002
#define IDC_PROGRESS_TEXT 1003

// Memory contents window: the byte list, the twelve page attribute check boxes (in the order
// of the page flag bits) and their four group boxes.
#define IDC_MEMORY_LIST 1004
#define IDC_ATTR_READ 1013
#define IDC_ATTR_WRITE 1014
#define IDC_ATTR_EXECUTE 1015
#define IDC_ATTR_COPYONWRITE 1016
#define IDC_ATTR_GUARDED 1017
#define IDC_ATTR_NOCACHE 1018
#define IDC_ATTR_COMMITTED 1019
#define IDC_ATTR_FREE 1020
#define IDC_ATTR_RESERVED 1021
#define IDC_ATTR_IMAGE 1022
#define IDC_ATTR_MAPPED 1023
#define IDC_ATTR_PRIVATE 1024
#define IDC_GROUP_PAGE_STATE 1025
#define IDC_GROUP_PAGE_ACCESS 1026
#define IDC_GROUP_PAGE_TYPE 1027
#define IDC_GROUP_PAGE_FLAGS 1028

// Find tool window.
#define IDC_FIND_TEXT 1006
#define IDC_FIND_RESULTS 1008
#define IDC_FIND_BUTTON 1009

// Goto address window.
#define IDC_GOTO_ADDRESS_EDIT 1011
#define IDC_GOTO_BUTTON 1012

// The hosted image control, child window of the process view.
#define IDC_IMAGE_WINDOW 12236

// Commands of the program.
#define ID_TOOLS_PROCESS_LIST 32771
#define ID_TOOLS_MEMORY_CONTENTS 32772
#define ID_TOOLS_FIND_TEXT 32773
#define ID_TOOLS_MODULE_LABELS 32774
#define ID_TOOLS_ADDRESS_PEEK 32775
#define ID_TOOLS_FIT_TO_WINDOW 32776
#define ID_VIEW_REFRESH 32778
#define ID_TOOLS_GOTO_ADDRESS 32780
