#!/usr/bin/python3
"""A small X session manager (XSMP, through libSM) for the end-to-end sessions: programs started
with its SESSION_MANAGER register with it, and it ends the session as a desktop's logout does.

    session_manager.py DIR

It writes DIR/address (the value for SESSION_MANAGER) once it listens. Each time a file
DIR/logout appears (it is removed again), every client is asked to save itself for a shutdown
with any interaction allowed; a client that asks to interact is let; once every client is done
and none cancelled, each is told to die; a cancelled shutdown is called off. What happens is
appended to DIR/log, one line each: "registered", "save-yourself", "interact", "cancelled",
"done 1" (or "done 0"), "die", "closed".
"""
import ctypes
import os
import select
import sys

SM = ctypes.CDLL("libSM.so.6")
ICE = ctypes.CDLL("libICE.so.6")

c_ptr = ctypes.c_void_p
Status = ctypes.c_int
SaveBoth, InteractAny = 2, 2


def callback_pair(proc):
    return type("Pair", (ctypes.Structure,), {"_fields_": [("callback", proc), ("data", c_ptr)]})


RegisterClient = ctypes.CFUNCTYPE(Status, c_ptr, c_ptr, ctypes.c_char_p)
InteractRequest = ctypes.CFUNCTYPE(None, c_ptr, c_ptr, ctypes.c_int)
InteractDone = ctypes.CFUNCTYPE(None, c_ptr, c_ptr, ctypes.c_int)
SaveYourselfRequest = ctypes.CFUNCTYPE(None, c_ptr, c_ptr, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_int, ctypes.c_int)
Phase2Request = ctypes.CFUNCTYPE(None, c_ptr, c_ptr)
SaveYourselfDone = ctypes.CFUNCTYPE(None, c_ptr, c_ptr, ctypes.c_int)
CloseConnection = ctypes.CFUNCTYPE(None, c_ptr, c_ptr, ctypes.c_int, c_ptr)
SetProperties = ctypes.CFUNCTYPE(None, c_ptr, c_ptr, ctypes.c_int, c_ptr)
DeleteProperties = ctypes.CFUNCTYPE(None, c_ptr, c_ptr, ctypes.c_int, c_ptr)
GetProperties = ctypes.CFUNCTYPE(None, c_ptr, c_ptr)
PROCS = [RegisterClient, InteractRequest, InteractDone, SaveYourselfRequest, Phase2Request,
         SaveYourselfDone, CloseConnection, SetProperties, DeleteProperties, GetProperties]


class Callbacks(ctypes.Structure):
    _fields_ = [("f%d" % i, callback_pair(proc)) for i, proc in enumerate(PROCS)]


NewClient = ctypes.CFUNCTYPE(Status, c_ptr, c_ptr, ctypes.POINTER(ctypes.c_ulong),
                             ctypes.POINTER(Callbacks), ctypes.POINTER(ctypes.c_char_p))
HostBasedAuth = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_char_p)
IOErrorHandler = ctypes.CFUNCTYPE(None, c_ptr)

SM.SmsGenerateClientID.restype = c_ptr  # freed by nobody: the manager lives for one test
SM.SmsGenerateClientID.argtypes = [c_ptr]
SM.SmsRegisterClientReply.argtypes = [c_ptr, c_ptr]
for name in ("SmsInteract", "SmsSaveYourselfPhase2", "SmsDie", "SmsShutdownCancelled",
             "SmsCleanUp"):
    getattr(SM, name).argtypes = [c_ptr]
SM.SmsSaveYourself.argtypes = [c_ptr, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_int]
SM.SmsReturnProperties.argtypes = [c_ptr, ctypes.c_int, c_ptr]
ICE.IceComposeNetworkIdList.restype = ctypes.c_char_p
ICE.IceComposeNetworkIdList.argtypes = [ctypes.c_int, c_ptr]
ICE.IceGetListenConnectionNumber.argtypes = [c_ptr]
ICE.IceSetHostBasedAuthProc.argtypes = [c_ptr, HostBasedAuth]
ICE.IceAcceptConnection.restype = c_ptr
ICE.IceAcceptConnection.argtypes = [c_ptr, ctypes.POINTER(ctypes.c_int)]
ICE.IceConnectionNumber.argtypes = [c_ptr]
ICE.IceProcessMessages.argtypes = [c_ptr, c_ptr, c_ptr]
ICE.IceSetIOErrorHandler.argtypes = [IOErrorHandler]

folder = sys.argv[1]
clients = {}  # SmsConn -> state: "idle", "saving", "done"
cancelled = [False]


def log(line):
    with open(os.path.join(folder, "log"), "a") as out:
        out.write(line + "\n")


def on_register(conn, data, previous):
    SM.SmsRegisterClientReply(conn, SM.SmsGenerateClientID(conn))
    clients[conn] = "idle"
    log("registered")
    return 1


def on_interact_request(conn, data, dialog):
    log("interact")
    SM.SmsInteract(conn)


def on_interact_done(conn, data, cancel):
    if cancel:
        cancelled[0] = True
        log("cancelled")


def on_phase2(conn, data):
    SM.SmsSaveYourselfPhase2(conn)


def on_done(conn, data, success):
    log("done %d" % (1 if success else 0))
    clients[conn] = "done"
    if any(state == "saving" for state in clients.values()):
        return
    for client in clients:
        if cancelled[0]:
            SM.SmsShutdownCancelled(client)
        else:
            log("die")
            SM.SmsDie(client)
        clients[client] = "idle"


def on_close(conn, data, count, reasons):
    log("closed")
    clients.pop(conn, None)
    SM.SmsCleanUp(conn)


def on_get_properties(conn, data):
    SM.SmsReturnProperties(conn, 0, None)


HANDLERS = [RegisterClient(on_register), InteractRequest(on_interact_request),
            InteractDone(on_interact_done), SaveYourselfRequest(lambda *args: None),
            Phase2Request(on_phase2), SaveYourselfDone(on_done), CloseConnection(on_close),
            SetProperties(lambda *args: None), DeleteProperties(lambda *args: None),
            GetProperties(on_get_properties)]


def on_new_client(conn, data, mask, callbacks, failure):
    mask[0] = (1 << len(HANDLERS)) - 1
    for i, handler in enumerate(HANDLERS):
        getattr(callbacks.contents, "f%d" % i).callback = handler
    return 1


new_client = NewClient(on_new_client)
any_host = HostBasedAuth(lambda host: 1)  # only this machine's test programs reach it
ignore_io_errors = IOErrorHandler(lambda conn: None)  # the default handler would exit


def main():
    error = ctypes.create_string_buffer(256)
    ICE.IceSetIOErrorHandler(ignore_io_errors)
    if not SM.SmsInitialize(b"kelvane-tests", b"1.0", new_client, None, any_host, 256, error):
        sys.exit("session_manager.py: " + error.value.decode())
    count = ctypes.c_int()
    listeners = c_ptr()
    if not ICE.IceListenForConnections(ctypes.byref(count), ctypes.byref(listeners), 256, error):
        sys.exit("session_manager.py: " + error.value.decode())
    objects = ctypes.cast(listeners, ctypes.POINTER(c_ptr))
    sockets = {}
    for i in range(count.value):
        ICE.IceSetHostBasedAuthProc(objects[i], any_host)
        sockets[ICE.IceGetListenConnectionNumber(objects[i])] = ("listen", objects[i])
    address = ICE.IceComposeNetworkIdList(count.value, listeners).decode()
    with open(os.path.join(folder, "address.new"), "w") as out:
        out.write(address)
    os.rename(os.path.join(folder, "address.new"), os.path.join(folder, "address"))

    logout = os.path.join(folder, "logout")
    while True:
        if os.path.exists(logout):
            os.remove(logout)
            cancelled[0] = False
            for client in clients:
                clients[client] = "saving"
                log("save-yourself")
                SM.SmsSaveYourself(client, SaveBoth, 1, InteractAny, 0)
        ready, _, _ = select.select(list(sockets), [], [], 0.1)
        for fd in ready:
            kind, handle = sockets[fd]
            if kind == "listen":
                status = ctypes.c_int()
                connection = ICE.IceAcceptConnection(handle, ctypes.byref(status))
                if connection:
                    sockets[ICE.IceConnectionNumber(connection)] = ("client", connection)
            elif ICE.IceProcessMessages(handle, None, None) != 0:  # closed or broken
                del sockets[fd]


if __name__ == "__main__":
    main()
