#pragma once
// effVendorSpecific index numbers the test plug-in answers, so tests can see
// what it was told and what the host answered it.

enum TestPluginProbe : int {
    kProbeAskHost = 1,      // value = host opcode; returns the host's answer
    kProbeAutomate = 2,     // sends audioMasterAutomate(index = value, opt)
    kProbeMaxFrames = 3,    // largest frame count of one processing call
    kProbeFloatCalls = 4,   // processReplacing calls
    kProbeDoubleCalls = 5,  // processDoubleReplacing calls
    kProbeSampleRate = 6,   // rate from effSetSampleRate
    kProbeBlockSize = 7,    // from effSetBlockSize
    kProbePrecision = 8,    // from effSetProcessPrecision, -1 if never told
    kProbeResumes = 9,      // effMainsChanged(1) count
};
